#include "engine/core/StringFunctions.h"

#include "engine/core/CodePageTables.h"
#include "engine/core/NumberParsing.h"
#include "platform/win32/Locale.h"
#include "platform/win32/Module.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <utility>

namespace OrvaneEngine
{
namespace
{

// A zero-padded run of digits after an optional sign, as the precision of
// "%0.Nu" prints it; any count gives the whole text.
std::string PadDigits(bool negative, std::uint32_t magnitude, int base, std::uint32_t digits)
{
    std::array<char, 16> scratch{}; // 32 bits need at most 10 decimal digits
    const auto [end, error] = std::to_chars(scratch.data(), scratch.data() + scratch.size(), magnitude, base);
    static_cast<void>(error);
    const auto length = static_cast<std::size_t>(end - scratch.data());
    const std::size_t zeros = digits > length ? digits - length : 0;

    std::string text;
    text.reserve((negative ? 1 : 0) + zeros + length);
    if (negative)
        text.push_back('-');
    text.append(zeros, '0');
    for (std::size_t i = 0; i < length; ++i)
        text.push_back(base == 16 && scratch[i] >= 'a' ? static_cast<char>(scratch[i] - ('a' - 'A')) : scratch[i]);
    return text;
}

std::u16string WidenAscii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

bool IsSpace(char c)
{
    return win32::isspace(static_cast<unsigned char>(c)) != 0;
}

bool IsSpaceW(char16_t unit)
{
    return win32::iswspace(unit) != 0;
}

template <typename Text>
void ReplaceAllOf(Text& text, const Text& searched, const Text& find, const Text& replacement)
{
    // Builds the result in one pass; it equals replacing in place and going on
    // after each replacement, since the replacement is never searched again.
    Text result;
    std::size_t from = 0;
    for (std::size_t found = searched.find(find); found != Text::npos; found = searched.find(find, from))
    {
        result.append(text, from, found - from);
        result.append(replacement);
        from = found + find.size();
    }
    if (from == 0)
        return;
    result.append(text, from, Text::npos);
    text = std::move(result);
}

} // namespace

std::string UIntToString(std::uint32_t value, std::uint32_t digits)
{
    return PadDigits(false, value, 10, digits);
}

std::string IntToString(std::int32_t value, std::uint32_t digits)
{
    const bool negative = value < 0;
    const auto magnitude = negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    return PadDigits(negative, magnitude, 10, digits);
}

std::string HexToString(std::uint32_t value, std::uint32_t digits)
{
    return PadDigits(false, value, 16, digits);
}

std::string FloatToString(float value, std::uint32_t digits)
{
    // A float's exact decimal expansion ends within 149 decimals, so a longer
    // count only adds zeros.
    constexpr std::uint32_t kExactDecimals = 149;
    constexpr std::size_t kIntegerRoom = 48; // sign, 39 digits of FLT_MAX, point
    const std::uint32_t printed = std::min(digits, kExactDecimals);
    std::string text(kIntegerRoom + printed, '\0');
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), static_cast<double>(value),
                                            std::chars_format::fixed, static_cast<int>(printed));
    static_cast<void>(error);
    text.resize(static_cast<std::size_t>(end - text.data()));
    if (digits > printed && std::isfinite(value))
        text.append(digits - printed, '0');
    return text;
}

std::u16string UIntToStringW(std::uint32_t value, std::uint32_t digits)
{
    return WidenAscii(UIntToString(value, digits));
}

std::u16string IntToStringW(std::int32_t value, std::uint32_t digits)
{
    return WidenAscii(IntToString(value, digits));
}

std::string BoolToString(bool value)
{
    return value ? "1" : "0";
}

std::uint32_t StringToUInt(const std::string& text, int base)
{
    return ParseInteger(std::string_view(text), base).AsUInt32();
}

std::int32_t StringToInt(const std::string& text, int base)
{
    return ParseInteger(std::string_view(text), base).AsInt32();
}

std::int32_t StringToIntW(const std::u16string& text, int base)
{
    return ParseInteger(std::u16string_view(text), base).AsInt32();
}

float StringToFloat(const std::string& text)
{
    std::size_t start = 0;
    while (start < text.size() && IsSpace(text[start]))
        ++start;
    return NarrowToFloat(ParseDouble(std::string_view(text).substr(start)));
}

float StringToFloatW(const std::u16string& text)
{
    std::size_t start = 0;
    while (start < text.size() && IsSpaceW(text[start]))
        ++start;
    std::string ascii;
    for (std::size_t i = start; i < text.size() && text[i] != 0 && text[i] < 0x80; ++i)
        ascii.push_back(static_cast<char>(text[i]));
    return NarrowToFloat(ParseDouble(ascii));
}

bool StringToBool(const std::string& text)
{
    return StringToInt(text, 10) != 0;
}

bool StringToBoolW(const std::u16string& text)
{
    return StringToIntW(text, 10) != 0;
}

void StringToLower(std::string& text)
{
    for (char& c : text)
        c = static_cast<char>(win32::tolower(static_cast<unsigned char>(c)));
}

void StringToUpper(std::string& text)
{
    for (char& c : text)
        c = static_cast<char>(win32::toupper(static_cast<unsigned char>(c)));
}

void StringToLowerW(std::u16string& text)
{
    for (char16_t& unit : text)
        unit = win32::tolower_wide(unit);
}

std::string ToLower(const std::string& text)
{
    std::string copy = text;
    StringToLower(copy);
    return copy;
}

std::string ToUpper(const std::string& text)
{
    std::string copy = text;
    StringToUpper(copy);
    return copy;
}

std::u16string ToLowerW(const std::u16string& text)
{
    std::u16string copy = text;
    StringToLowerW(copy);
    return copy;
}

void TrimLeft(std::string& text)
{
    const auto first = std::find_if_not(text.begin(), text.end(), IsSpace);
    text.erase(text.begin(), first);
}

void TrimRight(std::string& text)
{
    while (!text.empty() && IsSpace(text.back()))
        text.pop_back();
}

void Trim(std::string& text)
{
    TrimLeft(text);
    TrimRight(text);
}

std::string TrimRightCopy(const std::string& text)
{
    std::string copy = text;
    TrimRight(copy);
    return copy;
}

void TrimLeftW(std::u16string& text)
{
    const auto first = std::find_if_not(text.begin(), text.end(), IsSpaceW);
    text.erase(text.begin(), first);
}

void TrimRightW(std::u16string& text)
{
    while (!text.empty() && IsSpaceW(text.back()))
        text.pop_back();
}

std::u16string TrimLeftWCopy(const std::u16string& text)
{
    std::u16string copy = text;
    TrimLeftW(copy);
    return copy;
}

std::u16string TrimRightWCopy(const std::u16string& text)
{
    std::u16string copy = text;
    TrimRightW(copy);
    return copy;
}

std::u16string TrimW(const std::u16string& text)
{
    std::u16string copy = text;
    TrimLeftW(copy);
    TrimRightW(copy);
    return copy;
}

void StripLeadingChar(std::string& text, char c)
{
    text.erase(0, text.find_first_not_of(c));
}

void ReplaceAll(std::string& text, const std::string& find, const std::string& replacement)
{
    if (!find.empty())
        ReplaceAllOf(text, text, find, replacement);
}

void ReplaceAllW(std::u16string& text, const std::u16string& find, const std::u16string& replacement)
{
    if (!find.empty())
        ReplaceAllOf(text, text, find, replacement);
}

std::u16string ReplaceAllWCopy(const std::u16string& text, const std::u16string& find,
                               const std::u16string& replacement)
{
    std::u16string copy = text;
    ReplaceAllW(copy, find, replacement);
    return copy;
}

void ReplaceAllNoCaseW(std::u16string& text, const std::u16string& find, const std::u16string& replacement)
{
    if (find.empty())
        return;
    // Lower-casing keeps every unit in its place, so positions found in the
    // lower-case copy are positions in the text itself.
    const std::u16string lowerText = ToLowerW(text);
    ReplaceAllOf(text, lowerText, ToLowerW(find), replacement);
}

void EraseAll(std::string& text, const std::string& find)
{
    ReplaceAll(text, find, std::string());
}

std::u16string EraseAllW(const std::u16string& text, const std::u16string& find)
{
    return ReplaceAllWCopy(text, find, std::u16string());
}

void NarrowToWideInto(const std::string& text, std::u16string& out)
{
    // Every byte is one character of the code page, and the NUL byte ends
    // the text.
    const CodePageTables& tables = CodePageTables::Current();
    const std::size_t length = std::min(text.size(), std::strlen(text.c_str()));
    out.resize(length);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    char16_t* units = out.data();
    for (std::size_t at = 0; at < length; ++at)
        units[at] = tables.UnitOf(bytes[at]);
}

std::u16string NarrowToWide(const std::string& text)
{
    std::u16string out;
    NarrowToWideInto(text, out);
    return out;
}

void WideToNarrowInto(const std::u16string& text, std::string& out)
{
    const CodePageTables& tables = CodePageTables::Current();
    out.resize(text.size());
    char* bytes = out.data();
    std::size_t length = 0;
    for (const char16_t unit : text)
    {
        if (unit == 0)
            break;
        // A unit without a byte in the code page is left out.
        const int byte = tables.ByteOf(unit);
        bytes[length] = static_cast<char>(byte);
        length += byte >= 0 ? 1 : 0;
    }
    out.resize(length);
}

std::string WideToNarrow(const std::u16string& text)
{
    std::string out;
    WideToNarrowInto(text, out);
    return out;
}

std::string GetExecutableFolder()
{
    std::string name = win32::GetModuleFileNameA(nullptr);
    const std::size_t slash = name.rfind('/');
    if (slash != std::string::npos)
        name.resize(slash);
    return name;
}

} // namespace OrvaneEngine
