#include "content/ResourceListWriter.h"

#include "content/AtomicWrite.h"
#include "platform/win32/Utf8.h"

namespace corvellan::content
{
namespace
{

void FormatInto(const ResourceElement& element, std::size_t depth, std::string& out)
{
    if (element.name.empty())
    {
        out += element.text;
        for (const ResourceElement& child : element.children)
            FormatInto(child, depth, out);
        return;
    }
    const std::string indent(2 * depth, ' ');
    out += indent + "<" + element.name;
    for (const auto& [name, value] : element.attributes)
    {
        const char quote = value.find('"') == std::string::npos ? '"' : '\'';
        out += " " + name + "=" + quote + value + quote;
    }
    if (element.children.empty() && element.text.empty())
    {
        out += "/>\r\n";
        return;
    }
    out += ">" + element.text;
    if (!element.children.empty())
    {
        out += "\r\n";
        for (const ResourceElement& child : element.children)
            FormatInto(child, depth + 1, out);
        out += indent;
    }
    out += "</" + element.name + ">\r\n";
}

void PutUnit(std::string& out, char32_t unit, bool bigEndian)
{
    const char high = static_cast<char>((unit >> 8) & 0xFF);
    const char low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

} // namespace

std::string ResourceListWriter::Format(const ResourceElement& element)
{
    std::string out;
    FormatInto(element, 0, out);
    return out;
}

std::string ResourceListWriter::Encode(const std::string& text, ResourceListEncoding encoding)
{
    if (encoding == ResourceListEncoding::Utf8)
        return "\xEF\xBB\xBF" + text;
    const bool bigEndian = encoding == ResourceListEncoding::Utf16BigEndian;
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char32_t point : win32::detail::DecodeUtf8(text))
    {
        if (point < 0x10000)
        {
            PutUnit(out, point, bigEndian);
            continue;
        }
        const char32_t offset = point - 0x10000;
        PutUnit(out, 0xD800 + (offset >> 10), bigEndian);
        PutUnit(out, 0xDC00 + (offset & 0x3FF), bigEndian);
    }
    return out;
}

bool ResourceListWriter::WriteTo(const std::string& path, const ResourceElement& root, ResourceListEncoding encoding)
{
    return WriteFileAtomically(path, Encode(Format(root), encoding));
}

bool ResourceListWriter::WriteTextTo(const std::string& path, const std::string& text, ResourceListEncoding encoding)
{
    return WriteFileAtomically(path, Encode(text, encoding));
}

} // namespace corvellan::content
