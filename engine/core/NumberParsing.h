#pragma once

#include <cstdint>
#include <string_view>

// The number readers behind StringToInt, StringToUInt and StringToFloat. They
// follow the Windows runtime, whose long is 32 bits wide, and never overflow.
namespace OrvaneEngine
{

// Sign and magnitude of an integer text, the magnitude capped once it no
// longer fits 32 bits.
struct ParsedInteger
{
    bool negative = false;
    bool overflow = false;
    std::uint64_t magnitude = 0;

    // strtol: saturates at -2147483648 and 2147483647.
    std::int32_t AsInt32() const;
    // strtoul: saturates at 4294967295; a '-' negates modulo 2^32.
    std::uint32_t AsUInt32() const;
};

// Leading white space (narrow or wide), an optional sign, an optional "0x"
// for base 16 or 0, then ASCII digits of the base. Base 0 picks 16, 8 or 10
// from the prefix; a base outside 2 to 36 reads nothing.
ParsedInteger ParseInteger(std::string_view text, int base);
ParsedInteger ParseInteger(std::u16string_view text, int base);

// A number as strtod reads it (optional sign, decimal or "0x" hexadecimal
// digits with '.', an exponent, "inf", "nan"), without leading white space
// and with '.' in every locale. Text that is no number gives 0; a number too
// large gives infinity, one too small 0.
double ParseDouble(std::string_view text);

// The double rounded to a float; out of the float's range it becomes infinity
// as the conversion's rounding gives it.
float NarrowToFloat(double value);

} // namespace OrvaneEngine
