#include "content/DataFonts.h"

#include "engine/render/Image.h"

#include <stdexcept>

namespace corvellan::content
{

namespace
{

std::string Hex(char16_t c)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "U+";
    for (int shift = 12; shift >= 0; shift -= 4)
        text.push_back(digits[(c >> shift) & 0xF]);
    return text;
}

std::string DataName(const char* name, const char* extension)
{
    return std::string("ui\\fonts\\") + name + extension;
}

FontRasterOptions DataFontOptions(const DataFontFace& face, const std::string& fontFolder)
{
    FontRasterOptions options;
    options.ttfPath = fontFolder + "/" + face.ttf;
    options.pixelHeight = face.pixelHeight;
    options.characters = DataFonts::CharacterSet();
    options.atlasWidth = face.atlasWidth;
    options.atlasHeight = face.atlasHeight;
    options.spaceRecord = false;
    return options;
}

} // namespace

const std::vector<DataFontFace>& DataFonts::Faces()
{
    // Cells of about 38 (sans, largest use 19), 44 (sans bold, 22), 48 (serif
    // bold, 24) and 26 (mono, 13) pixels. By DejaVu's advances the set fits
    // 1024x512 with 2 pixels of padding for sans and mono; the bold faces are
    // wider and need 1024x1024.
    static const std::vector<DataFontFace> faces = {
        {"sans", "DejaVuSans.ttf", 33, 1024, 512},
        {"sans_bold", "DejaVuSans-Bold.ttf", 38, 1024, 1024},
        {"serif_bold", "DejaVuSerif-Bold.ttf", 41, 1024, 1024},
        {"mono", "DejaVuSansMono.ttf", 22, 1024, 512},
    };
    return faces;
}

const std::vector<DataFontTint>& DataFonts::Tints()
{
    // The screens print in fixed colours, so a highlighted or hovered text
    // differs from the plain one by its font alone.
    static const std::vector<DataFontTint> tints = {
        {"sans_bold_gold", "sans_bold", 255, 204, 72},
        {"sans_bold_sky", "sans_bold", 128, 200, 255},
        {"serif_bold_gold", "serif_bold", 255, 204, 72},
        {"serif_bold_ember", "serif_bold", 255, 128, 56},
    };
    return tints;
}

const std::vector<DataFontUse>& DataFonts::Uses()
{
    static const std::vector<DataFontUse> uses = {
        {"mono", "mono", 13.0f, true},                       // 0: statistics, the console
        {"sans_bold", "sans_bold", 19.0f, false},            // 1: button labels, headings
        {"sans", "sans", 17.0f, false},                      // 2: body lines, labels
        {"sans_bold", "sans_bold", 16.0f, false},            // 3: sub-headings, table rows
        {"sans_bold", "sans_bold_gold", 17.0f, false},       // 4: values, highlighted row
        {"sans_bold", "sans_bold_sky", 16.0f, false},        // 5: hovered profile name
        {"sans", "sans", 19.0f, false},                      // 6: name box, mode text, panel values
        {"serif_bold", "serif_bold", 24.0f, false},          // 7: main menu
        {"serif_bold", "serif_bold_gold", 24.0f, false},     // 8: main menu, hovered
        {"serif_bold", "serif_bold_ember", 24.0f, false},    // 9: main menu, pressed
        {"sans_bold", "sans_bold_gold", 22.0f, false},       // 10: floating texts
    };
    return uses;
}

std::u16string DataFonts::CharacterSet()
{
    std::u16string set;
    for (char16_t c = 0x20; c <= 0x7E; ++c)
        set.push_back(c);
    for (char16_t c = 0xA0; c <= 0x17F; ++c)
        set.push_back(c);
    for (char16_t c = 0x400; c <= 0x45F; ++c)
        set.push_back(c);
    set += u"–—‘’“”„…€";
    return set;
}

FontRaster DataFonts::Make(const DataFontFace& face, const std::string& fontFolder)
{
    const FontRasterOptions options = DataFontOptions(face, fontFolder);
    try
    {
        FontRaster raster = FontRasterizer::Rasterize(options);
        if (!raster.missing.empty())
            throw std::runtime_error("the face has no glyph for " + Hex(raster.missing.front()));
        return raster;
    }
    catch (const std::runtime_error& error)
    {
        throw std::runtime_error(options.ttfPath + " (" + DataName(face.name, ".fnt") + "): " + error.what());
    }
}

float DataFonts::SpaceRatio(const DataFontFace& face, const std::string& fontFolder)
{
    FontRasterOptions options = DataFontOptions(face, fontFolder);
    options.characters = u" ";
    options.spaceRecord = true;
    options.atlasWidth = 0;
    options.atlasHeight = 0;
    const FontRaster raster = FontRasterizer::Rasterize(options);
    if (raster.glyphs.size() != 1)
        throw std::runtime_error(options.ttfPath + ": the face has no space");
    return raster.glyphs.front().ratio;
}

std::unique_ptr<OrvaneEngine::Image> DataFonts::Tinted(const OrvaneEngine::Image& atlas, const DataFontTint& tint)
{
    auto image = std::make_unique<OrvaneEngine::Image>();
    image->Create(nullptr, atlas.GetWidth(), atlas.GetHeight(), 32);
    const std::uint8_t* from = atlas.GetPixels();
    std::uint8_t* to = image->GetPixels();
    const std::size_t pixels = std::size_t{atlas.GetWidth()} * atlas.GetHeight();
    for (std::size_t at = 0; at < pixels; ++at)
    {
        to[at * 4] = static_cast<std::uint8_t>(from[at * 4] * tint.red / 255);
        to[at * 4 + 1] = static_cast<std::uint8_t>(from[at * 4 + 1] * tint.green / 255);
        to[at * 4 + 2] = static_cast<std::uint8_t>(from[at * 4 + 2] * tint.blue / 255);
        to[at * 4 + 3] = from[at * 4 + 3];
    }
    return image;
}

std::vector<FontsListEntry> DataFonts::ListEntries(const std::map<std::string, float>& spaceRatios)
{
    std::vector<FontsListEntry> entries;
    for (const DataFontUse& use : Uses())
    {
        const auto space = spaceRatios.find(use.face);
        if (space == spaceRatios.end())
            throw std::logic_error(std::string("the fonts list needs the space of face ") + use.face);
        FontsListEntry entry;
        entry.file = DataName(use.face, ".fnt");
        entry.diffuse = DataName(use.atlas, ".tga");
        entry.opacity = "32bit";
        entry.glyphHeight = use.height;
        entry.spaceRatio = space->second;
        entry.advanceFactor = 1.0f;
        entry.fixedPitch = use.fixedPitch;
        entries.push_back(entry);
    }
    return entries;
}

std::string DataFonts::ListFile(const std::map<std::string, float>& spaceRatios)
{
    return "\xEF\xBB\xBF" + FontsListWriter::Build(ConsoleFontId, ListEntries(spaceRatios));
}

} // namespace corvellan::content
