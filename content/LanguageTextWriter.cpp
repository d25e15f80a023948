#include "content/LanguageTextWriter.h"

#include "content/AtomicWrite.h"
#include "platform/win32/CodePageTables.h"

#include <cstdint>
#include <stdexcept>

namespace corvellan::content
{

namespace
{

void PutUnit(std::string& bytes, char16_t unit, bool bigEndian)
{
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    bytes.push_back(bigEndian ? high : low);
    bytes.push_back(bigEndian ? low : high);
}

void PutUtf8(std::string& bytes, std::uint32_t point)
{
    if (point < 0x80)
    {
        bytes.push_back(static_cast<char>(point));
    }
    else if (point < 0x800)
    {
        bytes.push_back(static_cast<char>(0xC0 | (point >> 6)));
        bytes.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
    else if (point < 0x10000)
    {
        bytes.push_back(static_cast<char>(0xE0 | (point >> 12)));
        bytes.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        bytes.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
    else
    {
        bytes.push_back(static_cast<char>(0xF0 | (point >> 18)));
        bytes.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
        bytes.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        bytes.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

// A pair of surrogates becomes one four-byte sequence; a lone surrogate is
// written as its own three bytes, as the unit it is.
void PutUtf8Line(std::string& bytes, const std::u16string& line)
{
    for (std::size_t at = 0; at < line.size(); ++at)
    {
        const char16_t unit = line[at];
        if (IsHighSurrogate(unit) && at + 1 < line.size() && IsLowSurrogate(line[at + 1]))
        {
            const std::uint32_t point = 0x10000 + ((std::uint32_t{unit} - 0xD800) << 10) + (line[at + 1] - 0xDC00u);
            PutUtf8(bytes, point);
            ++at;
            continue;
        }
        PutUtf8(bytes, unit);
    }
}

void PutAnsiLine(std::string& bytes, const std::u16string& line, const win32::CodePage& page)
{
    for (const char16_t unit : line)
    {
        const int byte = page.ByteOf(unit);
        if (byte < 0)
            throw std::invalid_argument("code page " + std::to_string(page.number) + " has no byte for U+" +
                                        std::to_string(static_cast<unsigned>(unit)));
        bytes.push_back(static_cast<char>(byte));
    }
}

} // namespace

std::string LanguageTextWriter::Encode(const std::vector<std::u16string>& lines, const TextEncoding& encoding)
{
    using Form = TextEncoding::Form;
    const win32::CodePage* page = nullptr;
    if (encoding.form == Form::Ansi)
    {
        page = win32::FindCodePage(encoding.codePage);
        if (page == nullptr)
            throw std::invalid_argument("no table of code page " + std::to_string(encoding.codePage));
    }

    std::string bytes;
    switch (encoding.form)
    {
    case Form::Utf16LittleEndian:
    case Form::Utf16BigEndian:
        PutUnit(bytes, 0xFEFF, encoding.form == Form::Utf16BigEndian);
        break;
    case Form::Utf8:
        bytes += "\xEF\xBB\xBF";
        break;
    case Form::Ansi:
        break;
    }
    for (const std::u16string& line : lines)
    {
        switch (encoding.form)
        {
        case Form::Utf16LittleEndian:
        case Form::Utf16BigEndian:
            for (const char16_t unit : line + u"\r\n")
                PutUnit(bytes, unit, encoding.form == Form::Utf16BigEndian);
            break;
        case Form::Utf8:
            PutUtf8Line(bytes, line);
            bytes += "\r\n";
            break;
        case Form::Ansi:
            PutAnsiLine(bytes, line, *page);
            bytes += "\r\n";
            break;
        }
    }
    return bytes;
}

std::vector<std::u16string> LanguageTextWriter::Lines(const std::vector<LanguageText>& texts)
{
    std::vector<std::u16string> lines;
    lines.reserve(texts.size() * 2);
    for (const LanguageText& text : texts)
    {
        lines.push_back(u"[" + text.first + u"]");
        lines.push_back(text.second);
    }
    return lines;
}

bool LanguageTextWriter::WriteTo(const std::string& path, const std::vector<std::u16string>& lines,
                                 const TextEncoding& encoding)
{
    return WriteFileAtomically(path, Encode(lines, encoding));
}

} // namespace corvellan::content
