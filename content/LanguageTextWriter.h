#pragma once

#include <string>
#include <utility>
#include <vector>

namespace corvellan::content
{

// How a text file's characters become bytes. The three Unicode forms begin
// with their byte-order mark; Ansi has none and goes through the named
// single-byte code page (1250, 1251 or 1252).
struct TextEncoding
{
    enum class Form
    {
        Utf16LittleEndian,
        Utf16BigEndian,
        Utf8,
        Ansi,
    };
    Form form = Form::Utf16LittleEndian;
    int codePage = 1252;
};

// One key and its text; the key is written between square brackets on its
// own line, the text on the next.
using LanguageText = std::pair<std::u16string, std::u16string>;

// Writes language text files (and any other text file the game reads line by
// line) from UTF-16 lines, each ended by CR LF. Encoding is done here rather
// than through the engine's text writer, which narrows through the process's
// active code page and so could not write Czech or Cyrillic without a locale.
class LanguageTextWriter
{
public:
    // The lines as bytes. Throws std::invalid_argument for a code page we
    // have no table of, or a character the code page cannot hold.
    static std::string Encode(const std::vector<std::u16string>& lines, const TextEncoding& encoding);
    // The key line and text line of each entry, in order.
    static std::vector<std::u16string> Lines(const std::vector<LanguageText>& texts);
    // Writes the file at path whole or not at all; false when it could not
    // be written. Throws as Encode does.
    static bool WriteTo(const std::string& path, const std::vector<std::u16string>& lines,
                        const TextEncoding& encoding);
};

} // namespace corvellan::content
