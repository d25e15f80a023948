#include "content/FontRasterizer.h"

#include "content/AtomicWrite.h"
#include "content/ImageFixtures.h"
#include "engine/render/Image.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace corvellan::content
{

namespace
{

class FaceHandle
{
public:
    FaceHandle(const std::string& path, std::uint32_t pixelHeight)
    {
        if (FT_Init_FreeType(&library) != 0)
            throw std::runtime_error("cannot start the font engine");
        if (FT_New_Face(library, path.c_str(), 0, &face) != 0)
        {
            face = nullptr;
            FT_Done_FreeType(library);
            throw std::runtime_error("cannot read a font face from \"" + path + "\"");
        }
        if (FT_Set_Pixel_Sizes(face, 0, pixelHeight) != 0)
        {
            FT_Done_Face(face);
            FT_Done_FreeType(library);
            throw std::runtime_error("\"" + path + "\" cannot be sized to " + std::to_string(pixelHeight) +
                                     " pixels");
        }
    }
    ~FaceHandle()
    {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
    }
    FaceHandle(const FaceHandle&) = delete;
    FaceHandle& operator=(const FaceHandle&) = delete;

    FT_Face operator->() const { return face; }
    FT_Face Get() const { return face; }

private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

struct Cell
{
    char16_t character;
    std::uint32_t width;
    std::uint32_t x = 0; // left edge, counted from the atlas's left
    std::uint32_t y = 0; // top edge, counted from the atlas's top row
};

bool IsPowerOfTwo(std::uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

// Shelf packing in the given order: cells fill a row left to right and
// rows run top to bottom. False when they do not all fit.
bool Pack(std::vector<Cell>& cells, std::uint32_t lineHeight, std::uint32_t width, std::uint32_t height)
{
    const std::uint32_t pad = FontRasterizer::Padding;
    const std::uint64_t rowPitch = std::uint64_t{lineHeight} + 2 * pad;
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    for (Cell& cell : cells)
    {
        const std::uint64_t cellPitch = std::uint64_t{cell.width} + 2 * pad;
        if (cellPitch > width)
            return false;
        if (x + cellPitch > width)
        {
            x = 0;
            y += rowPitch;
        }
        if (y + rowPitch > height)
            return false;
        cell.x = static_cast<std::uint32_t>(x + pad);
        cell.y = static_cast<std::uint32_t>(y + pad);
        x += cellPitch;
    }
    return true;
}

std::uint32_t Pixels26Dot6(FT_Pos value) { return static_cast<std::uint32_t>(std::max<FT_Pos>(0, (value + 32) >> 6)); }

// Copies the rendered coverage into the cell as alpha, clipped to the cell.
void DrawInk(OrvaneEngine::Image& atlas, const Cell& cell, std::uint32_t lineHeight, std::int32_t ascender,
             const FT_GlyphSlot slot)
{
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.buffer == nullptr)
        return;
    const std::uint32_t atlasHeight = atlas.GetHeight();
    std::uint8_t* pixels = atlas.GetPixels();
    for (std::uint32_t row = 0; row < bitmap.rows; ++row)
    {
        // Within the cell, counted from its top.
        const std::int64_t cellY = std::int64_t{ascender} - slot->bitmap_top + row;
        if (cellY < 0 || cellY >= lineHeight)
            continue;
        const std::uint8_t* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        for (std::uint32_t column = 0; column < bitmap.width; ++column)
        {
            const std::int64_t cellX = std::int64_t{slot->bitmap_left} + column;
            if (cellX < 0 || cellX >= cell.width)
                continue;
            const std::uint64_t topRow = cell.y + static_cast<std::uint64_t>(cellY);
            const std::uint64_t imageRow = atlasHeight - 1 - topRow;
            const std::uint64_t at = (imageRow * atlas.GetWidth() + cell.x + static_cast<std::uint64_t>(cellX)) * 4;
            pixels[at + 3] = source[column];
        }
    }
}

} // namespace

FontRaster::FontRaster() = default;
FontRaster::~FontRaster() = default;
FontRaster::FontRaster(FontRaster&&) noexcept = default;
FontRaster& FontRaster::operator=(FontRaster&&) noexcept = default;

FontRaster FontRasterizer::Rasterize(const FontRasterOptions& options)
{
    if (options.pixelHeight == 0 || options.pixelHeight > MaxPixelHeight)
        throw std::runtime_error("the pixel height must lie between 1 and " + std::to_string(MaxPixelHeight) +
                                 ", not " + std::to_string(options.pixelHeight));
    const bool chosenSize = options.atlasWidth != 0 || options.atlasHeight != 0;
    if (chosenSize && (!IsPowerOfTwo(options.atlasWidth) || !IsPowerOfTwo(options.atlasHeight) ||
                       options.atlasWidth > MaxAtlasSide || options.atlasHeight > MaxAtlasSide))
        throw std::runtime_error("the atlas size must be powers of two up to " + std::to_string(MaxAtlasSide) +
                                 ", not " + std::to_string(options.atlasWidth) + "x" +
                                 std::to_string(options.atlasHeight));

    std::u16string wanted = options.characters;
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    if (!options.spaceRecord)
        wanted.erase(std::remove(wanted.begin(), wanted.end(), u' '), wanted.end());
    if (wanted.empty())
        throw std::runtime_error("no character was asked for");

    const FaceHandle face(options.ttfPath, options.pixelHeight);
    const FT_Size_Metrics& metrics = face->size->metrics;
    const auto ascender = static_cast<std::int32_t>(Pixels26Dot6(metrics.ascender));
    const std::uint32_t lineHeight = Pixels26Dot6(metrics.ascender - metrics.descender);
    if (lineHeight == 0)
        throw std::runtime_error("the face has no line height at " + std::to_string(options.pixelHeight) +
                                 " pixels");

    FontRaster raster;
    std::vector<Cell> cells;
    for (const char16_t character : wanted)
    {
        if (FT_Get_Char_Index(face.Get(), character) == 0)
        {
            raster.missing.push_back(character);
            continue;
        }
        if (FT_Load_Char(face.Get(), character, FT_LOAD_DEFAULT) != 0)
            throw std::runtime_error("the glyph of U+" + std::to_string(static_cast<unsigned>(character)) +
                                     " cannot be loaded");
        cells.push_back({character, Pixels26Dot6(face->glyph->advance.x)});
    }
    if (cells.empty())
        throw std::runtime_error("the face has none of the characters asked for");

    std::uint32_t width = options.atlasWidth;
    std::uint32_t height = options.atlasHeight;
    if (chosenSize)
    {
        if (!Pack(cells, lineHeight, width, height))
            throw std::runtime_error("the characters do not fit an atlas of " + std::to_string(width) + "x" +
                                     std::to_string(height));
    }
    else
    {
        // Square, then twice as wide, and so on: the first that holds the set.
        width = 16;
        height = 16;
        while (!Pack(cells, lineHeight, width, height))
        {
            if (width == MaxAtlasSide && height == MaxAtlasSide)
                throw std::runtime_error("the characters do not fit even an atlas of " +
                                         std::to_string(MaxAtlasSide) + "x" + std::to_string(MaxAtlasSide));
            if (width == height)
                width *= 2;
            else
                height *= 2;
        }
    }

    raster.atlas = std::make_unique<OrvaneEngine::Image>();
    OrvaneEngine::Image& atlas = *raster.atlas;
    atlas.Create(nullptr, width, height, 32);
    // White everywhere, so bilinear filtering at an ink edge blends towards
    // white rather than black; only alpha carries the ink.
    std::uint8_t* pixels = atlas.GetPixels();
    for (std::size_t at = 0; at < std::size_t{width} * height; ++at)
    {
        pixels[at * 4] = 255;
        pixels[at * 4 + 1] = 255;
        pixels[at * 4 + 2] = 255;
        pixels[at * 4 + 3] = 0;
    }

    for (const Cell& cell : cells)
    {
        if (FT_Load_Char(face.Get(), cell.character, FT_LOAD_RENDER) != 0)
            throw std::runtime_error("the glyph of U+" + std::to_string(static_cast<unsigned>(cell.character)) +
                                     " cannot be rendered");
        DrawInk(atlas, cell, lineHeight, ascender, face->glyph);

        FontGlyphRecord record;
        record.character = cell.character;
        record.u = static_cast<float>(cell.x) / static_cast<float>(width);
        record.v = static_cast<float>(height - (cell.y + lineHeight)) / static_cast<float>(height);
        record.du = static_cast<float>(cell.width) / static_cast<float>(width);
        record.dv = static_cast<float>(lineHeight) / static_cast<float>(height);
        record.ratio = static_cast<float>(cell.width) / static_cast<float>(lineHeight);
        raster.glyphs.push_back(record);
    }
    return raster;
}

std::string FontRasterizer::AtlasTga(OrvaneEngine::Image& atlas, bool runLength)
{
    if (runLength)
    {
        TgaLayout layout;
        layout.depth = 32;
        layout.runLength = true;
        return TgaFromImage(atlas, layout);
    }
    // The engine's own writer makes the plain file; the image is only read.
    return EngineImageFile(atlas, "tga");
}

bool FontRasterizer::WriteFiles(const FontRaster& raster, const std::string& tgaPath, const std::string& fntPath,
                                bool runLength)
{
    if (!raster.atlas)
        return false;
    const std::string tga = AtlasTga(*raster.atlas, runLength);
    if (tga.empty())
        return false;
    return WriteFileAtomically(tgaPath, tga) && FontFileWriter::WriteTo(fntPath, raster.glyphs);
}

std::optional<std::u16string> FontRasterizer::NamedCharacterSet(const std::string& name)
{
    std::u16string ascii;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        ascii.push_back(c);
    if (name == "ascii")
        return ascii;
    if (name != "languages")
        return std::nullopt;

    std::u16string set = ascii;
    // German, French, Italian and Spanish letters, with their marks.
    set += u"ÀÁÂÄÆÇÈÉÊËÌÍÎÏÑÒÓÔÖÙÚÛÜßàáâäæçèéêëìíîïñòóôöùúûüÿŒœŸ";
    set += u"¡¿ªº«»°©·";
    // Czech letters beyond those.
    set += u"ČčĎďĚěŇňŘřŠšŤťŮůÝýŽž";
    // Russian: the whole alphabet and Ё.
    for (char16_t c = 0x0410; c <= 0x044F; ++c)
        set.push_back(c);
    set += u"Ёё№";
    // Typographic quotes, dashes, the ellipsis and the euro.
    set += u"–—‘’‚“”„…€";
    return set;
}

} // namespace corvellan::content
