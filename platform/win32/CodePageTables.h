#pragma once

#include <array>
#include <cstdint>

namespace win32
{

// One single-byte Windows code page as our own tables hold it. Bytes the code
// page leaves undefined stand for the C1 control of the same value, so every
// byte has a unit and every such unit has its byte back.
struct CodePage
{
    // The unit of each byte.
    std::array<char16_t, 256> units;
    // The code page's letter pairs; a byte without a partner maps to itself.
    std::array<std::uint8_t, 256> lower;
    std::array<std::uint8_t, 256> upper;
    // Unit to byte in two steps: the unit's high byte picks a block (0 for
    // none), the low byte a slot holding the byte or -1 when there is none.
    std::array<std::uint8_t, 256> blockOfHighByte;
    std::array<std::array<std::int16_t, 256>, 8> blocks;
    std::uint16_t number;

    // The byte of a unit, or -1 when the code page has no byte for it.
    int ByteOf(char16_t unit) const
    {
        const std::uint8_t block = blockOfHighByte[unit >> 8];
        return block == 0 ? -1 : blocks[block - 1][unit & 0xFFu];
    }
};

// Constant-initialised, so they may be used during any static initialisation.
extern const CodePage codePage1252;
extern const CodePage codePage1251;
extern const CodePage codePage1250;

// 1252, 1251 or 1250; null for any other number.
const CodePage* FindCodePage(int number);

} // namespace win32
