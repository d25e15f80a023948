#pragma once

#include "content/FontFileWriter.h"

#include <string>
#include <vector>

namespace corvellan::content
{

// One character of a box font and its width ÷ height.
struct BoxGlyph
{
    char16_t character = 0;
    float ratio = 1.0f;
};

// Fonts whose glyphs are plain white boxes of chosen widths, so that every
// measure and every pixel of a printed text is known in advance.
class BoxFont
{
public:
    // The atlas is AtlasSide × AtlasSide; the glyphs split it into columns
    // of equal width, in the order given, each the atlas's full height.
    static constexpr unsigned AtlasSide = 64;

    static std::vector<FontGlyphRecord> Records(const std::vector<BoxGlyph>& glyphs);
    // Writes <folder>/<fontName> (an "OVFNT" file of the records, with the
    // damage applied) and, when atlasName is not empty, <folder>/<atlasName>
    // (an opaque white 32-bit TGA), making the folder. False when a file
    // could not be written.
    static bool Write(const std::string& folder, const std::string& fontName, const std::string& atlasName,
                      const std::vector<BoxGlyph>& glyphs, const FontFileDamage& damage = {});
};

} // namespace corvellan::content
