#pragma once

#include <array>
#include <cstdint>

namespace OrvaneEngine
{

// One of the key names the engine, the GUI toolkit and the game share, with
// the code the DirectInput device layer knows it by: the button index for a
// mouse button, the keyboard's scan code for a key.
struct KeyName
{
    const char* name;
    std::int32_t code;
    bool mouseButton;
};

inline constexpr std::size_t kKeyNameCount = 108;

// All of them: the eight mouse buttons first ("MOUSE1" to "MOUSE8"), then
// the keyboard's keys.
const std::array<KeyName, kKeyNameCount>& GetKeyNames();

} // namespace OrvaneEngine
