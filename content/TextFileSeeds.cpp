#include "content/FuzzSeeds.h"

namespace corvellan::content
{

namespace
{

// ASCII text as UTF-16 units in either byte order, mark first.
std::string Utf16(const std::string& ascii, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii)
    {
        if (bigEndian)
            bytes += '\0';
        bytes += c;
        if (!bigEndian)
            bytes += '\0';
    }
    return bytes;
}

} // namespace

bool WriteTextFileSeeds(const std::string& folder)
{
    const std::string target = "text_file";
    const std::string words = "count 5 // five\r\nBig_Red_Ball -1 2.5\r\n";
    bool written = WriteSeed(folder, target, "ansi.txt", "plain \x80\xE9 text\r\n" + words);
    written = WriteSeed(folder, target, "utf16le.txt", Utf16(words, false)) && written;
    written = WriteSeed(folder, target, "utf16be.txt", Utf16(words, true)) && written;
    written = WriteSeed(folder, target, "utf8.txt",
                        "\xEF\xBB\xBF" "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \x80\r\n" + words) &&
              written;
    written = WriteSeed(folder, target, "line_ends.txt", "cr\rlf\ncrlf\r\nlfcr\n\rend\r\n") && written;
    written = WriteSeed(folder, target, "comments.txt",
                        "// a whole line\r\nvalue 5//glued\r\n5//x y\r\nkey value // note\r\n") &&
              written;
    written = WriteSeed(folder, target, "sample.ini",
                        "c_invert_mouse 0\r\nf_uint -1\r\nf_float 0.500000\r\nf_bool 1\r\nf_string two words\r\n"
                        "f_command\r\nv_gamma 1.000000 \\\\ note\r\n\\v_mode 800X600X16\r\nunknown  value\r\n") &&
              written;
    return written;
}

} // namespace corvellan::content
