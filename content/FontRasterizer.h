#pragma once

#include "content/FontFileWriter.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Image;
}

namespace corvellan::content
{

struct FontRasterOptions
{
    std::string ttfPath;
    // The face's size in pixels (its em); a cell is as tall as the face's
    // ascender to descender at that size.
    std::uint32_t pixelHeight = 32;
    // The characters wanted; repeats are dropped.
    std::u16string characters;
    // Both 0: the smallest power-of-two atlas that holds the set; otherwise
    // powers of two that must hold it.
    std::uint32_t atlasWidth = 0;
    std::uint32_t atlasHeight = 0;
    // Off: ' ' gets no record, and the fonts list's space ratio spaces text.
    bool spaceRecord = true;
};

// What the rasteriser made: a 32-bit white atlas whose alpha is the ink, and
// one record per drawn character, ordered by character.
struct FontRaster
{
    FontRaster();
    ~FontRaster();
    FontRaster(FontRaster&&) noexcept;
    FontRaster& operator=(FontRaster&&) noexcept;

    std::unique_ptr<OrvaneEngine::Image> atlas;
    std::vector<FontGlyphRecord> glyphs;
    // Wanted characters the face has no glyph for; they get no record.
    std::u16string missing;
};

// Renders a TrueType face into a font atlas and its glyph records. Each
// character's cell is its advance width by the face's line height, so text
// printed by ratio is spaced as the face spaces it; ink outside the cell is
// clipped. Cells keep 2 pixels of transparent padding on every side, as
// font textures are filtered bilinearly.
class FontRasterizer
{
public:
    static constexpr std::uint32_t Padding = 2;
    static constexpr std::uint32_t MaxAtlasSide = 8192;
    static constexpr std::uint32_t MaxPixelHeight = 1024;

    // Throws std::runtime_error with a reason a user can act on: an unreadable
    // face, a bad height or atlas size, or a set that does not fit the atlas.
    static FontRaster Rasterize(const FontRasterOptions& options);

    // The atlas as a 32-bit TGA, plain or run-length.
    static std::string AtlasTga(OrvaneEngine::Image& atlas, bool runLength);
    // Writes both files, each whole or not at all; false when either failed.
    static bool WriteFiles(const FontRaster& raster, const std::string& tgaPath, const std::string& fntPath,
                           bool runLength);

    // A built-in character set by name: "ascii" (U+0020 to U+007E) or
    // "languages" (ASCII with the letters and punctuation of the game's seven
    // languages: English, Russian, German, French, Italian, Spanish, Czech).
    static std::optional<std::u16string> NamedCharacterSet(const std::string& name);
};

} // namespace corvellan::content
