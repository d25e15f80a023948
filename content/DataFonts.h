#pragma once

#include "content/FontRasterizer.h"
#include "content/FontsListWriter.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::content
{

// A TrueType face made into one glyph file and its white atlas.
struct DataFontFace
{
    const char* name;  // ui\fonts\<name>.fnt and .tga
    const char* ttf;   // the DejaVu file
    // The em in pixels. A DejaVu cell (ascender to descender) is about 1.16
    // em, chosen about twice the face's largest height of use, so the atlas
    // is shrunk rather than stretched when printed.
    std::uint32_t pixelHeight;
    std::uint32_t atlasWidth;
    std::uint32_t atlasHeight;
};

// A copy of a face's atlas in one colour; it shares the face's glyph file.
struct DataFontTint
{
    const char* name;
    const char* face;
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// One id of the fonts list.
struct DataFontUse
{
    const char* face;
    const char* atlas;
    float height;
    bool fixedPitch;
};


// The game's fonts: the faces, their tinted atlases and the fonts list that
// every language shares.
class DataFonts
{
public:
    static constexpr std::uint32_t ConsoleFontId = 0;

    static const std::vector<DataFontFace>& Faces();
    static const std::vector<DataFontTint>& Tints();
    static const std::vector<DataFontUse>& Uses();
    // The characters every face holds: Basic Latin, Latin-1, Latin
    // Extended-A, Cyrillic and the texts' punctuation.
    static std::u16string CharacterSet();

    // Renders one face from fontFolder; throws std::runtime_error naming the
    // face when it lacks a character or the set does not fit its atlas.
    static FontRaster Make(const DataFontFace& face, const std::string& fontFolder);
    // The face's space advance over its cell height: the glyph files hold no
    // space record, the fonts list spaces text.
    static float SpaceRatio(const DataFontFace& face, const std::string& fontFolder);
    // The face's atlas in the tint's colour, alpha kept.
    static std::unique_ptr<OrvaneEngine::Image> Tinted(const OrvaneEngine::Image& atlas, const DataFontTint& tint);
    // The fonts list's entries, with each face's space ratio by face name.
    static std::vector<FontsListEntry> ListEntries(const std::map<std::string, float>& spaceRatios);
    // The fonts list as written: UTF-8 with a byte-order mark, as every text
    // file of the data set.
    static std::string ListFile(const std::map<std::string, float>& spaceRatios);
};

} // namespace corvellan::content
