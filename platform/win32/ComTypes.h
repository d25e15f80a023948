#pragma once

// The result code and identifier that every interface family (drawing,
// input, sound, movies, the shell) shares.

#include <cstdint>

namespace win32
{

// Result of a call: 0 and above is success, failures are negative.
using HRESULT = std::int32_t;

constexpr bool SUCCEEDED(HRESULT result)
{
    return result >= 0;
}

constexpr bool FAILED(HRESULT result)
{
    return result < 0;
}

// Identifies a device, an interface or an algorithm.
struct GUID
{
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::uint8_t Data4[8] = {};

    friend constexpr bool operator==(const GUID&, const GUID&) = default;
};

} // namespace win32
