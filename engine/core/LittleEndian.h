#pragma once

// The byte order of the files the engine reads and writes: least
// significant byte first, whatever the machine's own order.

#include <cstdint>

namespace OrvaneEngine
{

inline std::uint16_t LoadLittle16(const std::uint8_t* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t LoadLittle32(const std::uint8_t* bytes)
{
    return std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8) | (std::uint32_t{bytes[2]} << 16)
        | (std::uint32_t{bytes[3]} << 24);
}

inline void StoreLittle16(std::uint8_t* bytes, std::uint32_t value)
{
    bytes[0] = static_cast<std::uint8_t>(value);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void StoreLittle32(std::uint8_t* bytes, std::uint32_t value)
{
    StoreLittle16(bytes, value);
    StoreLittle16(bytes + 2, value >> 16);
}

} // namespace OrvaneEngine
