#include "engine/core/NumberParsing.h"

#include "platform/win32/Locale.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>
#include <type_traits>

namespace OrvaneEngine
{
namespace
{

constexpr std::uint64_t kUInt32Max = std::numeric_limits<std::uint32_t>::max();

bool IsSpaceUnit(char c)
{
    return win32::isspace(static_cast<unsigned char>(c)) != 0;
}

bool IsSpaceUnit(char16_t unit)
{
    return win32::iswspace(unit) != 0;
}

// Value of an ASCII digit or letter in bases up to 36; 36 for anything else.
template <typename Unit>
unsigned DigitValue(Unit unit)
{
    const auto u = static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<Unit>>(unit));
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'z')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'Z')
        return u - 'A' + 10;
    return 36;
}

template <typename Unit>
ParsedInteger ParseIntegerText(std::basic_string_view<Unit> text, int base)
{
    ParsedInteger result;
    if (base < 0 || base == 1 || base > 36)
        return result;
    std::size_t at = 0;
    const std::size_t size = text.size();
    while (at < size && IsSpaceUnit(text[at]))
        ++at;
    if (at < size && (text[at] == '+' || text[at] == '-'))
    {
        result.negative = text[at] == '-';
        ++at;
    }
    const bool hexPrefix = at + 1 < size && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X');
    if (base == 0)
        base = hexPrefix ? 16 : (at < size && text[at] == '0') ? 8 : 10;
    if (base == 16 && hexPrefix)
        at += 2;
    const auto radix = static_cast<unsigned>(base);
    for (; at < size; ++at)
    {
        const unsigned digit = DigitValue(text[at]);
        if (digit >= radix)
            break;
        // Past 32 bits only the fact of the overflow matters; the digits are
        // still consumed, as the runtime does.
        if (!result.overflow)
        {
            result.magnitude = result.magnitude * radix + digit;
            result.overflow = result.magnitude > kUInt32Max;
        }
    }
    return result;
}

bool IsHexDigit(char c)
{
    return DigitValue(c) < 16;
}

// Whether a number that a double cannot hold is too large rather than too
// small, from where its first significant digit stands and its exponent. Such
// a number is beyond 1e308 or below 1e-320, so the estimate cannot mistake one
// for the other.
bool IsTooLarge(std::string_view number, bool hex)
{
    const char exponentMark = hex ? 'p' : 'e';
    std::int64_t scale = 0; // position of the first significant digit
    bool point = false;
    bool significant = false;
    std::size_t at = 0;
    for (; at < number.size(); ++at)
    {
        const char c = number[at];
        if (c == exponentMark || c == exponentMark - ('a' - 'A'))
            break;
        if (c == '.')
        {
            point = true;
            continue;
        }
        if (!significant && c == '0')
        {
            if (point)
                --scale;
            continue;
        }
        significant = true;
        if (!point)
            ++scale;
    }
    std::int64_t exponent = 0;
    bool negativeExponent = false;
    if (++at < number.size() && (number[at] == '+' || number[at] == '-'))
        negativeExponent = number[at++] == '-';
    for (; at < number.size() && number[at] >= '0' && number[at] <= '9'; ++at)
        if (exponent < 1000000000)
            exponent = exponent * 10 + (number[at] - '0');
    if (negativeExponent)
        exponent = -exponent;
    // A hexadecimal digit is four bits; its exponent counts bits.
    return (hex ? scale * 4 : scale) + exponent > 0;
}

} // namespace

std::int32_t ParsedInteger::AsInt32() const
{
    constexpr std::uint64_t kLargest = std::numeric_limits<std::int32_t>::max();
    if (negative)
    {
        if (overflow || magnitude > kLargest + 1)
            return std::numeric_limits<std::int32_t>::min();
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    }
    if (overflow || magnitude > kLargest)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(magnitude);
}

std::uint32_t ParsedInteger::AsUInt32() const
{
    if (overflow)
        return static_cast<std::uint32_t>(kUInt32Max);
    const auto value = static_cast<std::uint32_t>(magnitude);
    return negative ? 0u - value : value;
}

ParsedInteger ParseInteger(std::string_view text, int base)
{
    return ParseIntegerText(text, base);
}

ParsedInteger ParseInteger(std::u16string_view text, int base)
{
    return ParseIntegerText(text, base);
}

double ParseDouble(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-'))
    {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    // from_chars takes a '-' of its own, which must not count as a second sign.
    if (text.empty() || text[0] == '+' || text[0] == '-')
        return 0.0;

    // "0x" counts as a prefix only before a hexadecimal digit; otherwise the
    // number is the "0" in front of the x.
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
                     (IsHexDigit(text[2]) || (text[2] == '.' && text.size() > 3 && IsHexDigit(text[3])));
    if (hex)
        text.remove_prefix(2);

    double value = 0.0;
    const auto format = hex ? std::chars_format::hex : std::chars_format::general;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, format);
    if (error == std::errc::invalid_argument)
        return 0.0;
    if (error == std::errc::result_out_of_range)
    {
        const auto length = static_cast<std::size_t>(end - text.data());
        value = IsTooLarge(text.substr(0, length), hex) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

float NarrowToFloat(double value)
{
    // Halfway between the largest float and 2^128: from there on the rounding
    // gives infinity, below it the largest float.
    constexpr double kRoundsToInfinity = 0x1.ffffffp127;
    constexpr float kLargest = std::numeric_limits<float>::max();
    if (value >= kRoundsToInfinity)
        return std::numeric_limits<float>::infinity();
    if (value <= -kRoundsToInfinity)
        return -std::numeric_limits<float>::infinity();
    if (value > kLargest)
        return kLargest;
    if (value < -kLargest)
        return -kLargest;
    return static_cast<float>(value);
}

} // namespace OrvaneEngine
