// Arbitrary bytes as narrow and as UTF-16 text through the number readers and
// the narrow/wide conversions under each code page. The readers are checked
// against the C library's 64-bit readers clamped to 32 bits, and printed
// numbers must read back to the same value.
#include "engine/core/StringFunctions.h"
#include "platform/win32/testing/LocaleHooks.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

using namespace OrvaneEngine;

namespace
{

void Check(bool condition, const char* what)
{
    if (!condition)
    {
        std::fprintf(stderr, "number_text: %s\n", what);
        std::abort();
    }
}

bool IsAscii(const std::string& text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::u16string WidenBytes(const std::string& text)
{
    std::u16string wide;
    for (const char c : text)
        wide.push_back(static_cast<unsigned char>(c));
    return wide;
}

// strtoll reads as far as the first NUL, as the runtime's readers do.
long long ReadLongLong(const std::string& text, int base)
{
    errno = 0;
    return std::strtoll(text.c_str(), nullptr, base);
}

std::int32_t ExpectedInt(const std::string& text, int base)
{
    const long long value = ReadLongLong(text, base);
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

std::uint32_t ExpectedUInt(const std::string& text, int base)
{
    const long long value = ReadLongLong(text, base);
    constexpr long long kLimit = 4294967295LL;
    if (value > kLimit || value < -kLimit)
        return 4294967295u;
    return static_cast<std::uint32_t>(value); // a negative value wraps modulo 2^32
}

bool SameFloat(float a, float b)
{
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

void CheckReaders(const std::string& narrow, const std::u16string& wide)
{
    const bool ascii = IsAscii(narrow);
    const std::u16string widened = WidenBytes(narrow);
    for (const int base : {0, 2, 8, 10, 16, 36})
    {
        Check(StringToInt(narrow, base) == ExpectedInt(narrow, base), "StringToInt differs from strtoll");
        Check(StringToUInt(narrow, base) == ExpectedUInt(narrow, base), "StringToUInt differs from strtoll");
        static_cast<void>(StringToIntW(wide, base));
        if (ascii)
            Check(StringToIntW(widened, base) == StringToInt(narrow, base), "StringToIntW differs from StringToInt");
    }
    for (const int base : {1, 37, -3})
        Check(StringToInt(narrow, base) == 0 && StringToUInt(narrow, base) == 0, "a bad base read a number");

    const float value = StringToFloat(narrow);
    const float expected = static_cast<float>(std::strtod(narrow.c_str(), nullptr));
    Check(SameFloat(value, expected), "StringToFloat differs from strtod");
    static_cast<void>(StringToFloatW(wide));
    if (ascii)
        Check(SameFloat(StringToFloatW(widened), value), "StringToFloatW differs from StringToFloat");
    Check(StringToBool(narrow) == (StringToInt(narrow, 10) != 0), "StringToBool");
    Check(StringToBoolW(wide) == (StringToIntW(wide, 10) != 0), "StringToBoolW");
}

void CheckConversions(const std::string& narrow, const std::u16string& wide)
{
    const std::string untilNul = narrow.substr(0, narrow.find('\0'));
    for (const int codePage : {0, 1252, 1251, 1250})
    {
        if (codePage == 0)
            win32::testing::ResetLocale();
        else
            win32::testing::SelectCodePage(codePage);
        const std::u16string widenedText = NarrowToWide(narrow);
        Check(widenedText.size() == untilNul.size(), "a byte did not convert");
        Check(WideToNarrow(widenedText) == untilNul, "a byte did not come back");

        const std::string narrowed = WideToNarrow(wide);
        Check(narrowed.find('\0') == std::string::npos, "a NUL came through");
        Check(WideToNarrow(NarrowToWide(narrowed)) == narrowed, "narrowed text does not round-trip");

        const std::string lower = ToLower(narrow);
        Check(lower.size() == narrow.size() && ToLower(lower) == lower, "ToLower");
        Check(ToUpper(narrow).size() == narrow.size(), "ToUpper");
        const std::u16string lowerWide = ToLowerW(wide);
        Check(lowerWide.size() == wide.size() && ToLowerW(lowerWide) == lowerWide, "ToLowerW");
    }
    win32::testing::ResetLocale();
}

void CheckPrintedNumbers(const std::uint8_t* data, std::size_t size)
{
    if (size < 5)
        return;
    std::uint32_t bits = 0;
    std::memcpy(&bits, data, sizeof bits);
    const auto digits = static_cast<std::uint32_t>(data[4] % 80);
    std::int32_t signedValue = 0;
    std::memcpy(&signedValue, &bits, sizeof signedValue);
    float floatValue = 0.0f;
    std::memcpy(&floatValue, &bits, sizeof floatValue);

    Check(StringToInt(IntToString(signedValue, digits), 10) == signedValue, "IntToString does not read back");
    Check(StringToIntW(IntToStringW(signedValue, digits), 10) == signedValue, "IntToStringW does not read back");
    Check(StringToUInt(UIntToString(bits, digits), 10) == bits, "UIntToString does not read back");
    Check(StringToIntW(UIntToStringW(bits, digits), 10) == ExpectedInt(UIntToString(bits, digits), 10),
          "UIntToStringW");
    Check(StringToUInt(HexToString(bits, digits), 16) == bits, "HexToString does not read back");
    if (std::isfinite(floatValue))
    {
        // 149 decimals hold any float exactly.
        Check(SameFloat(StringToFloat(FloatToString(floatValue, 149 + digits)), floatValue),
              "FloatToString does not read back");
        Check(SameFloat(StringToFloat(FloatToString(std::trunc(floatValue), 0)), std::trunc(floatValue)),
              "FloatToString of a whole number does not read back");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string narrow(reinterpret_cast<const char*>(data), size);
    std::u16string wide(size / 2, u'\0');
    if (!wide.empty())
        std::memcpy(wide.data(), data, wide.size() * sizeof(char16_t));

    CheckReaders(narrow, wide);
    CheckConversions(narrow, wide);
    CheckPrintedNumbers(data, size);
    return 0;
}
