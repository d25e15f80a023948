#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Text helpers used throughout the engine. Narrow text holds 8-bit characters
// of the current code page; wide text holds UTF-16 units. Case mapping, white
// space and narrow/wide conversion follow the runtime locale (win32/Locale.h),
// which the language handling sets once at start-up.
namespace OrvaneEngine
{

// Number to text. A digit count of 0 prints the number as it is; any other
// count is a minimum number of digits, zero-padded ("%0.3u" gives 005). The
// count has no upper limit.
std::string UIntToString(std::uint32_t value, std::uint32_t digits);
std::string IntToString(std::int32_t value, std::uint32_t digits);
// Upper-case hexadecimal digits, no prefix.
std::string HexToString(std::uint32_t value, std::uint32_t digits);
// Fixed-point with exactly that many decimals; 0 prints no decimal point.
std::string FloatToString(float value, std::uint32_t digits);
std::u16string UIntToStringW(std::uint32_t value, std::uint32_t digits);
std::u16string IntToStringW(std::int32_t value, std::uint32_t digits);
// "1" or "0".
std::string BoolToString(bool value);

// Text to number, as the Windows runtime reads numbers into its 32-bit long:
// leading white space, an optional sign, then digits up to the first
// character that is not one; no digits give 0. Base 0 reads a "0x" prefix as
// hexadecimal and a leading 0 as octal; base 16 allows a "0x" prefix; a base
// outside 2 to 36 gives 0. Values out of range saturate. Wide text reads
// ASCII digits only: any other unit ends the number.
// Saturates at 4294967295; a '-' negates modulo 2^32, so "-1" gives 4294967295.
std::uint32_t StringToUInt(const std::string& text, int base);
// Saturates at -2147483648 and 2147483647.
std::int32_t StringToInt(const std::string& text, int base);
std::int32_t StringToIntW(const std::u16string& text, int base);
// Reads a decimal (or "0x" hexadecimal) floating-point number with '.' as the
// decimal point whatever the locale; "inf" and "nan" are read as such.
float StringToFloat(const std::string& text);
float StringToFloatW(const std::u16string& text);
// The base-10 integer is not 0: "2" is true, "true" is false.
bool StringToBool(const std::string& text);
bool StringToBoolW(const std::u16string& text);

// Case mapping through the runtime locale.
void StringToLower(std::string& text);
void StringToUpper(std::string& text);
void StringToLowerW(std::u16string& text);
std::string ToLower(const std::string& text);
std::string ToUpper(const std::string& text);
std::u16string ToLowerW(const std::u16string& text);

// Trimming of white space.
void TrimLeft(std::string& text);
void TrimRight(std::string& text);
void Trim(std::string& text);
std::string TrimRightCopy(const std::string& text);
void TrimLeftW(std::u16string& text);
void TrimRightW(std::u16string& text);
std::u16string TrimLeftWCopy(const std::u16string& text);
std::u16string TrimRightWCopy(const std::u16string& text);
std::u16string TrimW(const std::u16string& text);
// Removes every leading occurrence of c.
void StripLeadingChar(std::string& text, char c);

// Replaces every occurrence of find, left to right; a replacement is never
// searched again. An empty text to find leaves the text unchanged.
void ReplaceAll(std::string& text, const std::string& find, const std::string& replacement);
void ReplaceAllW(std::u16string& text, const std::u16string& find, const std::u16string& replacement);
std::u16string ReplaceAllWCopy(const std::u16string& text, const std::u16string& find,
                               const std::u16string& replacement);
// Matches find without regard to case (ToLowerW); the replacement goes in as given.
void ReplaceAllNoCaseW(std::u16string& text, const std::u16string& find, const std::u16string& replacement);
void EraseAll(std::string& text, const std::string& find);
std::u16string EraseAllW(const std::u16string& text, const std::u16string& find);

// Conversion through the locale's code page, up to the first NUL. A byte
// that does not convert is skipped, and so is a unit with no byte.
void NarrowToWideInto(const std::string& text, std::u16string& out);
std::u16string NarrowToWide(const std::string& text);
void WideToNarrowInto(const std::u16string& text, std::string& out);
std::string WideToNarrow(const std::u16string& text);

// The running program's folder: its file name up to its last '/', or the
// whole name when it holds none.
std::string GetExecutableFolder();

// Deletes every non-null element through its (virtual) destructor, first to
// last, then empties the vector.
template <typename T>
void DeleteAllAndClear(std::vector<T*>& items)
{
    for (T* item : items)
        delete item;
    items.clear();
}

// The same for plain records, which have no virtual destructor.
template <typename T>
void DeleteAllAndClearNonVirtual(std::vector<T*>& items)
{
    for (T* item : items)
        delete item;
    items.clear();
}

// Removes the null entries; the others keep their order.
template <typename T>
void RemoveNullPointers(std::vector<T*>& items)
{
    std::erase(items, nullptr);
}

} // namespace OrvaneEngine
