#pragma once

// The byte order of every file format the writers make: least significant
// byte first, floats as their IEEE bits.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

namespace corvellan::content
{

inline void SetLittle16(std::string& bytes, std::size_t at, std::uint32_t value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

inline void SetLittle32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    SetLittle16(bytes, at, value & 0xFFFF);
    SetLittle16(bytes, at + 2, value >> 16);
}

inline void AppendLittle16(std::string& bytes, std::uint32_t value)
{
    bytes.resize(bytes.size() + 2);
    SetLittle16(bytes, bytes.size() - 2, value);
}

inline void AppendLittle32(std::string& bytes, std::uint32_t value)
{
    bytes.resize(bytes.size() + 4);
    SetLittle32(bytes, bytes.size() - 4, value);
}

inline void AppendFloat(std::string& bytes, float value)
{
    AppendLittle32(bytes, std::bit_cast<std::uint32_t>(value));
}

} // namespace corvellan::content
