#include "tests/support/MenuData.h"

#include "content/AtomicWrite.h"
#include "content/BoxFont.h"
#include "content/ImageFixtures.h"
#include "content/LanguageTextWriter.h"
#include "content/ModelMeshes.h"
#include "content/ParticleFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "content/TitleListWriter.h"
#include "content/WavWriter.h"

#include <algorithm>
#include <utility>

namespace corvellan::test
{

using namespace corvellan::content;

namespace
{

float Mix(float a, float b, float t) { return a + (b - a) * t; }

ModelFileRecord Mesh(const MenuBox& b, bool box)
{
    if (box)
        return MakeBoxMesh({b.x0, b.y0, -1.0f}, {b.x1, b.y1, 1.0f});
    return MakeQuadMesh(b.x0, b.y0, b.x1, b.y1);
}

std::string Shader(const std::string& texture, std::uint32_t frames)
{
    ShaderFileRecord shader;
    ShaderFileStage stage;
    stage.diffuseName = texture;
    if (frames > 1)
    {
        stage.animationType = 1;
        stage.columns = frames;
        stage.rows = 1;
        stage.frameCount = frames;
        stage.speed = 10.0f;
    }
    shader.stages.push_back(stage);
    return ShaderFileWriter::Build(shader);
}

std::string SolidTga(const MenuColour& colour)
{
    std::string pixels;
    for (int pixel = 0; pixel < 16; ++pixel)
    {
        pixels.push_back(static_cast<char>(colour.b));
        pixels.push_back(static_cast<char>(colour.g));
        pixels.push_back(static_cast<char>(colour.r));
        pixels.push_back(static_cast<char>(255));
    }
    TgaLayout layout;
    layout.depth = 32;
    return Tga(4, 4, layout, pixels);
}

std::string WithExtension(const std::string& path, const std::string& extension)
{
    return path.substr(0, path.rfind('.')) + "." + extension;
}

} // namespace

const std::map<std::uint32_t, std::string>& MenuData::Sounds()
{
    static const std::map<std::uint32_t, std::string> sounds = {
        {1, "sounds\\upgrade.wav"}, {2, "sounds\\window_appear.wav"}, {3, "sounds\\window_disappear.wav"}};
    return sounds;
}

MenuData::MenuData(std::string root) : root(std::move(root)) {}

std::string MenuData::DataPath(const std::string& path) const
{
    std::string local = path;
    std::replace(local.begin(), local.end(), '\\', '/');
    return root + "/data/" + local;
}

bool MenuData::Bytes(const std::string& path, const std::string& bytes) const
{
    return WriteFileAtomically(DataPath(path), bytes);
}

bool MenuData::Model(const std::string& path, std::uint32_t frames, const MenuBox& first, const MenuBox& last,
                     bool box) const
{
    if (frames <= 1)
        return ModelFileWriter::WriteTo(DataPath(path), Mesh(first, box));
    std::vector<ModelFileRecord> meshes;
    for (std::uint32_t f = 0; f < frames; ++f)
    {
        const float t = static_cast<float>(f) / static_cast<float>(frames - 1);
        meshes.push_back(Mesh({Mix(first.x0, last.x0, t), Mix(first.y0, last.y0, t), Mix(first.x1, last.x1, t),
                               Mix(first.y1, last.y1, t)},
                              box));
    }
    return ModelFileWriter::WriteTo(DataPath(path), MakeMorphModel(meshes, 25.0f));
}

bool MenuData::Model(const std::string& path, std::uint32_t frames, const MenuBox& box) const
{
    return Model(path, frames, box, box);
}

bool MenuData::TexturedModel(const std::string& path, const MenuBox& box, const MenuColour& colour) const
{
    const std::string texture = WithExtension(path, "tga");
    return Model(path, 1, box) && Bytes(texture, SolidTga(colour)) &&
           Bytes(WithExtension(path, "srf"), Shader(texture, 1));
}

bool MenuData::TextureAnimatedModel(const std::string& path, const MenuBox& box, std::uint32_t frames) const
{
    const std::string texture = WithExtension(path, "tga");
    return Model(path, 1, box) && Bytes(texture, SolidTga({255, 255, 255})) &&
           Bytes(WithExtension(path, "srf"), Shader(texture, frames));
}

bool MenuData::ParticleSystem(const std::string& path, std::uint32_t emitterKind, std::uint32_t particles) const
{
    ParticleFileRecord record;
    record.emitterKind = emitterKind;
    record.maxParticleCount = particles;
    record.rateKeys.fill(100000.0f);
    record.lifeKeys.fill(100000.0f);
    record.sizeKeys.fill(8.0f);
    record.gravityOn = 0;
    record.floorOn = 0;
    record.boxMin = {-10.0f, -10.0f, 0.0f};
    record.boxMax = {10.0f, 10.0f, 0.0f};
    return ParticleFileWriter::WriteTo(DataPath(path), record);
}

bool MenuData::Font() const
{
    std::vector<BoxGlyph> glyphs;
    for (char16_t c = u' '; c <= u'~'; ++c)
        glyphs.push_back({c, 0.5f});
    const std::string path = DataPath(FontFile);
    const std::size_t slash = path.rfind('/');
    return BoxFont::Write(path.substr(0, slash), path.substr(slash + 1), "", glyphs);
}

bool MenuData::Texts(const std::map<std::string, std::u16string>& texts) const
{
    std::vector<LanguageText> entries;
    for (const auto& [key, text] : texts)
        entries.emplace_back(std::u16string(key.begin(), key.end()), text);
    const std::string path = DataPath(TextsFile);
    return LanguageTextWriter::WriteTo(path, LanguageTextWriter::Lines(entries), {TextEncoding::Form::Utf8, 1252});
}

bool MenuData::SoundFiles() const
{
    const WavFormat format;
    const std::string silence(static_cast<std::size_t>(format.rate) * 2 * 2, '\0');
    for (const auto& [number, file] : Sounds())
        if (!Bytes(file, WavWriter::Simple(format, silence)))
            return false;
    return true;
}

bool MenuData::Levels(const std::vector<std::uint32_t>& levelsPerStage) const
{
    std::string info = std::to_string(levelsPerStage.size()) + "\r\n";
    for (std::size_t stage = 0; stage < levelsPerStage.size(); ++stage)
    {
        info += "4\r\n";
        std::string levels = std::to_string(levelsPerStage[stage]) + "\r\n";
        for (std::uint32_t level = 0; level < levelsPerStage[stage]; ++level)
            levels += "puzzle_" + std::to_string(stage) + "_" + std::to_string(level) + " 60 120\r\n";
        if (!Bytes("levels\\stage" + std::to_string(stage) + ".ini", levels))
            return false;
    }
    return Bytes("levels\\stages_info.ini", info);
}

bool MenuData::Background(const std::vector<BackgroundLayerEntry>& layers) const
{
    return BackgroundLayersWriter::WriteTo(DataPath("ui\\menus\\background\\background.ini"), layers);
}

bool MenuData::Titles(std::int64_t count, const std::string& language) const
{
    if (!TitleListWriter::WriteTo(DataPath("ui\\menus\\models\\background\\title_" + language + ".ini"), count))
        return false;
    for (std::int64_t k = 0; k < std::min<std::int64_t>(count, 8); ++k)
        if (!Model("ui\\menus\\models\\background\\title_" + language + "_" + std::to_string(k) + ".mlf", 1,
                   {300.0f + 40.0f * static_cast<float>(k), 520.0f, 330.0f + 40.0f * static_cast<float>(k), 560.0f}))
            return false;
    return true;
}

bool MenuData::Frames() const
{
    const std::string background = "ui\\menus\\models\\background\\";
    bool ok = true;
    for (const char* name : {"frame", "logo_brackwell", "mount_title", "mount_text", "text_appear", "text"})
        ok = ok && Model(background + name + ".mlf", ForegroundFrames, {20.0f, 560.0f, 60.0f, 590.0f},
                         {20.0f, 560.0f, 80.0f, 590.0f});
    ok = ok && Model(background + "text_area.mlf", 1, TextArea);
    for (const char* kind : {"main_menu", "big_window", "small_window", "large_window"})
    {
        const std::string folder = std::string("ui\\menus\\models\\") + kind + "\\";
        ok = ok && Model(folder + "window.mlf", WindowFrames, {350.0f, 250.0f, 450.0f, 350.0f}, WindowFrame) &&
             Model(folder + "window_area.mlf", 1, {150.0f, 150.0f, 650.0f, 450.0f});
    }
    return ok;
}

bool MenuData::WriteDefault() const
{
    const std::string background = "ui\\menus\\models\\background\\";
    const std::string controls = "ui\\menus\\models\\controls\\";
    bool ok = Font() && SoundFiles() && Levels({2, 2}) &&
              Texts({{"LOADING", u"LOADING"},
                     {"MAIN_MENU_WELCOME", u"Welcome"},
                     {"HIT_MOUSE_BUTTON_TO_CONTINUE", u"Click to continue"}}) &&
              Background({{"backdrop", "_none_", true, 0}, {"hill", "_none_", false, 0}}) &&
              TexturedModel("ui\\menus\\background\\models\\backdrop.mlf", Backdrop, {255, 0, 0}) &&
              TexturedModel("ui\\menus\\background\\models\\hill.mlf", Hill, {0, 255, 0}) && Titles(2) &&
              Frames();
    // Thumb and its lowest place at x 100, 20 wide; the highest place ends at x 300.
    ok = ok && Model(controls + "scroll_h.mlf", 1, {80.0f, 200.0f, 340.0f, 220.0f}) &&
         Model(controls + "scroll_h_toddler.mlf", 1, {100.0f, 200.0f, 120.0f, 220.0f}) &&
         Model(controls + "scroll_h_toddler_min.mlf", 1, {100.0f, 200.0f, 120.0f, 220.0f}) &&
         Model(controls + "scroll_h_toddler_max.mlf", 1, {280.0f, 200.0f, 300.0f, 220.0f}) &&
         Model(controls + "scroll_h_button_decrease.mlf", 1, {60.0f, 200.0f, 80.0f, 220.0f}) &&
         Model(controls + "scroll_h_button_increase.mlf", 1, {320.0f, 200.0f, 340.0f, 220.0f}) &&
         Model(controls + "scroll_v.mlf", 1, {500.0f, 80.0f, 520.0f, 340.0f}) &&
         Model(controls + "scroll_v_toddler.mlf", 1, {500.0f, 100.0f, 520.0f, 120.0f}) &&
         Model(controls + "scroll_v_toddler_min.mlf", 1, {500.0f, 100.0f, 520.0f, 120.0f}) &&
         Model(controls + "scroll_v_toddler_max.mlf", 1, {500.0f, 280.0f, 520.0f, 300.0f}) &&
         Model(controls + "scroll_v_button_decrease.mlf", 1, {500.0f, 60.0f, 520.0f, 80.0f}) &&
         Model(controls + "scroll_v_button_increase.mlf", 1, {500.0f, 320.0f, 520.0f, 340.0f});
    for (const char* arrow : {"button_arrow_left", "button_arrow_right", "button_arrow_up", "button_arrow_down"})
        ok = ok && Model(controls + arrow + ".mlf", 1, {0.0f, 0.0f, 20.0f, 20.0f});
    ok = ok && Model(controls + "button_main_menu.mlf", 1, {0.0f, 0.0f, 200.0f, 40.0f}) &&
         TextureAnimatedModel("ui\\menus\\background\\models\\unicorn_animated.mlf", {600.0f, 100.0f, 700.0f, 200.0f},
                              UnicornFrames);
    for (int k = 0; k < 3; ++k)
        ok = ok && Model("ui\\menus\\models\\start_game\\game_complete_effect_" + std::to_string(k) + ".mlf",
                         EffectFrames, {100.0f, 100.0f, 200.0f, 200.0f});
    return ok;
}

} // namespace corvellan::test
