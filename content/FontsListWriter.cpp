#include "content/FontsListWriter.h"

#include "content/AtomicWrite.h"
#include "content/ListWord.h"

#include <array>
#include <cctype>
#include <charconv>
#include <string_view>

namespace corvellan::content
{

namespace
{

std::string CheckedName(const std::string& name, const char* what)
{
    return CheckedListWord(name, "fonts list", what);
}

// "32BIT", "32Bit" and the like become "32bit": the shader descriptor only
// takes the texture's own alpha for the lower-case spelling.
std::string OpacityName(const std::string& name)
{
    std::string result = CheckedName(name, "opacity");
    static constexpr std::string_view own = "32bit";
    for (std::size_t at = 0; at + own.size() <= result.size(); ++at)
    {
        bool same = true;
        for (std::size_t k = 0; k < own.size() && same; ++k)
            same = std::tolower(static_cast<unsigned char>(result[at + k])) == own[k];
        if (same)
            result.replace(at, own.size(), own);
    }
    return result;
}

// The shortest fixed-point text that reads back as the same float.
std::string Number(float value)
{
    std::array<char, 64> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return std::string(text.data(), result.ptr);
}

} // namespace

std::string FontsListWriter::Build(std::uint32_t consoleFontId, const std::vector<FontsListEntry>& fonts)
{
    std::string text = "// font count, console font id, then per font id from 0: file, diffuse, opacity,\r\n"
                       "// glyph height, space ratio, advance factor, add lower case, fixed pitch\r\n";
    text += std::to_string(fonts.size()) + "\r\n" + std::to_string(consoleFontId) + "\r\n";
    for (const FontsListEntry& font : fonts)
    {
        text += CheckedName(font.file, "font file") + ' ' + CheckedName(font.diffuse, "diffuse") + ' ' +
                OpacityName(font.opacity) + ' ' + Number(font.glyphHeight) + ' ' + Number(font.spaceRatio) + ' ' +
                Number(font.advanceFactor) + ' ' + (font.addLowerCase ? '1' : '0') + ' ' +
                (font.fixedPitch ? '1' : '0') + "\r\n";
    }
    return text;
}

bool FontsListWriter::WriteTo(const std::string& path, std::uint32_t consoleFontId,
                              const std::vector<FontsListEntry>& fonts)
{
    return WriteFileAtomically(path, Build(consoleFontId, fonts));
}

} // namespace corvellan::content
