#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::content
{

// One line of a fonts list; its id is its place in the list, from 0.
struct FontsListEntry
{
    std::string file;     // the ".fnt" file's data name
    std::string diffuse;  // texture names, as the shader descriptor takes them
    std::string opacity;
    float glyphHeight = 1.0f;
    float spaceRatio = 1.0f;
    float advanceFactor = 1.0f;
    bool addLowerCase = false;
    bool fixedPitch = false;
};

// Writes a language's fonts list: the count, the console's font id, then one
// line per font. The list is read word by word, so no name may be empty or
// hold white space. An opacity name asking for the diffuse texture's own
// alpha is written "32bit", the spelling the shader descriptor looks for.
class FontsListWriter
{
public:
    // Throws std::invalid_argument for a name the reader could not split back.
    static std::string Build(std::uint32_t consoleFontId, const std::vector<FontsListEntry>& fonts);
    // Writes the file at path whole or not at all; false when it could not be written.
    static bool WriteTo(const std::string& path, std::uint32_t consoleFontId, const std::vector<FontsListEntry>& fonts);
};

} // namespace corvellan::content
