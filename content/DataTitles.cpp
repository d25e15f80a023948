#include "content/DataTitles.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

namespace corvellan::content
{

namespace
{

// One face at one size, released with the library whatever happens.
class Face
{
public:
    Face(const std::string& path, std::uint32_t pixelHeight)
    {
        if (FT_Init_FreeType(&library) != 0)
            throw std::runtime_error(path + ": FreeType cannot start");
        if (FT_New_Face(library, path.c_str(), 0, &face) != 0)
        {
            FT_Done_FreeType(library);
            throw std::runtime_error(path + ": cannot read the font face");
        }
        if (FT_Set_Pixel_Sizes(face, 0, pixelHeight) != 0)
        {
            FT_Done_Face(face);
            FT_Done_FreeType(library);
            throw std::runtime_error(path + ": cannot size the font face");
        }
    }
    ~Face()
    {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
    }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;

    // Loads the glyph of the character (rendered when asked); throws naming
    // the character when the face has none, as a title would lose a letter.
    FT_GlyphSlot Load(const std::string& path, char16_t character, bool render) const
    {
        if (FT_Get_Char_Index(face, character) == 0 ||
            FT_Load_Char(face, character, render ? FT_LOAD_RENDER : FT_LOAD_DEFAULT) != 0)
            throw std::runtime_error(path + ": no glyph for U+" + std::to_string(static_cast<unsigned>(character)));
        return face->glyph;
    }

private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

float Advance(const FT_GlyphSlot slot) { return static_cast<float>(slot->advance.x) / 64.0f; }

} // namespace

float DataTitles::Measure(const std::string& ttfPath, const std::u16string& text, std::uint32_t pixelHeight)
{
    const Face face(ttfPath, pixelHeight);
    float width = 0.0f;
    for (const char16_t c : text)
        width += Advance(face.Load(ttfPath, c, false));
    return width;
}

void DataTitles::Draw(DataCanvas& canvas, const std::string& ttfPath, const std::u16string& text,
                      std::uint32_t pixelHeight, float centreX, float baselineY, const Rgba& colour)
{
    const float width = Measure(ttfPath, text, pixelHeight);
    const Face face(ttfPath, pixelHeight);
    float pen = centreX - width / 2.0f;
    for (const char16_t c : text)
    {
        const FT_GlyphSlot slot = face.Load(ttfPath, c, true);
        const FT_Bitmap& bitmap = slot->bitmap;
        const auto left = static_cast<std::int64_t>(pen + 0.5f) + slot->bitmap_left;
        const auto top = static_cast<std::int64_t>(baselineY + 0.5f) - slot->bitmap_top;
        for (unsigned row = 0; bitmap.buffer != nullptr && row < bitmap.rows; ++row)
        {
            for (unsigned column = 0; column < bitmap.width; ++column)
            {
                const std::int64_t x = left + column;
                const std::int64_t y = top + row;
                if (x < 0 || y < 0 || x >= canvas.Width() || y >= canvas.Height())
                    continue;
                const unsigned char ink = bitmap.buffer[static_cast<std::ptrdiff_t>(row) * bitmap.pitch + column];
                if (ink != 0)
                    canvas.Blend(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), colour,
                                 static_cast<float>(ink) / 255.0f);
            }
        }
        pen += Advance(slot);
    }
}

std::uint32_t DataTitles::FittingHeight(const std::string& ttfPath, const std::u16string& text, float width,
                                        std::uint32_t most)
{
    std::uint32_t height = most;
    while (height > 8 && Measure(ttfPath, text, height) > width)
        --height;
    return height;
}

} // namespace corvellan::content
