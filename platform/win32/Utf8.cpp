#include "platform/win32/Utf8.h"

#include "platform/win32/Locale.h"

namespace win32::detail
{
namespace
{

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

void AppendUtf8(std::string& out, char32_t point)
{
    if (point < 0x80)
    {
        out += static_cast<char>(point);
    }
    else if (point < 0x800)
    {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

} // namespace

std::vector<char32_t> DecodeUtf8(std::string_view text)
{
    std::vector<char32_t> points;
    std::size_t i = 0;
    while (i < text.size())
    {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t point = 0;
        char32_t minimum = 0;
        if (lead < 0x80)
        {
            points.push_back(lead);
            ++i;
            continue;
        }
        if ((lead & 0xE0) == 0xC0)
        {
            length = 2;
            point = lead & 0x1F;
            minimum = 0x80;
        }
        else if ((lead & 0xF0) == 0xE0)
        {
            length = 3;
            point = lead & 0x0F;
            minimum = 0x800;
        }
        else if ((lead & 0xF8) == 0xF0)
        {
            length = 4;
            point = lead & 0x07;
            minimum = 0x10000;
        }
        bool valid = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k)
        {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            valid = IsContinuation(byte);
            point = (point << 6) | (byte & 0x3F);
        }
        valid = valid && point >= minimum && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
        if (!valid)
        {
            ++i;
            continue;
        }
        points.push_back(point);
        i += length;
    }
    return points;
}

std::string NarrowToUtf8(std::string_view text)
{
    std::string out;
    for (const char c : text)
    {
        char16_t unit = 0;
        if (win32::mbtowc(&unit, &c, 1) <= 0)
            continue;
        AppendUtf8(out, unit);
    }
    return out;
}

} // namespace win32::detail
