#pragma once
// The data folder of a menu test or benchmark, written with the content/
// writers: morph models of quads or boxes with chosen boxes, textured and
// texture-animated models, particle systems, a fixed-width font, language
// texts, the menu sounds, level lists, "background.ini" and the title list.
// Every path is given as the program names it ("ui\menus\...", below the
// data folder); a file not written falls back to the engine's box model.

#include "content/BackgroundLayersWriter.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace corvellan::test
{

// A rectangle of the 800 x 600 virtual screen, y up.
struct MenuBox
{
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 1.0f;
    float y1 = 1.0f;
};

struct MenuColour
{
    std::uint8_t r = 255;
    std::uint8_t g = 255;
    std::uint8_t b = 255;
};

class MenuData
{
public:
    // The font every id 0..MostFontId uses: each character is Glyph units wide.
    static constexpr const char* FontFile = "ui\\fonts\\menu.fnt";
    static constexpr std::uint32_t MostFontId = 10;
    static constexpr float GlyphHeight = 20.0f;
    static constexpr const char* Language = "en";
    static constexpr const char* TextsFile = "ui\\texts\\en\\menus.ini";
    // The menu sounds by number, as the game's sound controller knows them.
    static const std::map<std::uint32_t, std::string>& Sounds();

    explicit MenuData(std::string root);

    // <root>/data/<path> with the separators of the operating system.
    std::string DataPath(const std::string& path) const;

    // Frame f of `frames` is a quad (or, with box, a box of depth 2) moved
    // evenly from `first` to `last`; one frame is a static quad.
    bool Model(const std::string& path, std::uint32_t frames, const MenuBox& first, const MenuBox& last,
               bool box = false) const;
    bool Model(const std::string& path, std::uint32_t frames, const MenuBox& box) const;
    // A static quad drawn with an opaque texture of one colour.
    bool TexturedModel(const std::string& path, const MenuBox& box, const MenuColour& colour) const;
    // A static quad whose shader's first stage animates a grid of `frames` cells.
    bool TextureAnimatedModel(const std::string& path, const MenuBox& box, std::uint32_t frames) const;
    // Emitter kind 0 (a point) or 1 (a box). The pool fills within a frame
    // and its particles live on, so every frame draws `particles` sprites.
    bool ParticleSystem(const std::string& path, std::uint32_t emitterKind, std::uint32_t particles = 20) const;
    // The fixed-width box font of FontFile.
    bool Font() const;
    bool Texts(const std::map<std::string, std::u16string>& texts) const;
    // 2-s silent WAVs for Sounds().
    bool SoundFiles() const;
    // One entry per stage: its number of levels.
    bool Levels(const std::vector<std::uint32_t>& levelsPerStage) const;
    bool Background(const std::vector<content::BackgroundLayerEntry>& layers) const;
    bool Titles(std::int64_t count, const std::string& language = Language) const;
    bool Bytes(const std::string& path, const std::string& bytes) const;

    // The animated models the menu background's start-up plays through (its
    // foreground) and the frames of the four window kinds.
    bool Frames() const;
    // Everything a menu start-up needs: two layers (a red backdrop the
    // background builds, a green hill from the game resources), animated
    // foreground models, two titles, the frames of the four window kinds, the
    // scroll-bar models, the unicorn and the game-complete effects.
    bool WriteDefault() const;

    // Placed by WriteDefault.
    static constexpr MenuBox Backdrop{0.0f, 300.0f, 800.0f, 600.0f};
    static constexpr MenuBox Hill{0.0f, 0.0f, 800.0f, 300.0f};
    static constexpr MenuBox TextArea{200.0f, 20.0f, 600.0f, 60.0f};
    static constexpr MenuBox WindowFrame{100.0f, 100.0f, 700.0f, 500.0f};
    static constexpr std::uint32_t ForegroundFrames = 10;
    static constexpr std::uint32_t WindowFrames = 24;
    static constexpr std::uint32_t EffectFrames = 30;
    static constexpr std::uint32_t UnicornFrames = 4;

private:
    std::string root;
};

} // namespace corvellan::test
