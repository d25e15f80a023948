#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace OrvaneEngine
{

// The current locale's narrow/wide conversions as tables, so that a text
// converts with a lookup per character instead of a call into the runtime
// per character. Built once per locale from the runtime's own mbtowc and
// wctomb_s, so the tables answer exactly as those calls would.
class CodePageTables
{
public:
    // The tables of the locale in force now; cheap to call for every text.
    static const CodePageTables& Current();

    // The unit of a byte (mbtowc of one byte).
    char16_t UnitOf(unsigned char byte) const { return units[byte]; }
    // The byte of a unit (wctomb_s), or -1 when the code page has none.
    int ByteOf(char16_t unit) const { return blocks[blockOfHighByte[unit >> 8]][unit & 0xFFu]; }
    // True when every unit below 0x80 is the byte of the same value (as in
    // every code page the runtime knows), so ASCII text converts as it is.
    bool IsAsciiKept() const { return asciiKept; }

private:
    CodePageTables();

    std::array<char16_t, 256> units{};
    // Block 0 holds no byte; units of other high bytes have a block of their own.
    std::array<std::uint16_t, 256> blockOfHighByte{};
    std::vector<std::array<std::int16_t, 256>> blocks;
    bool asciiKept = true;
};

} // namespace OrvaneEngine
