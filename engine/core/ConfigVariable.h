#pragma once

#include <cstdint>
#include <string>

namespace OrvaneEngine
{

// One registered name. The value itself lives with the owner that registered
// it; the record keeps what is needed to parse, print, reset and watch it.
struct ConfigVariable
{
    static constexpr std::uint32_t TypeUInt = 0;
    static constexpr std::uint32_t TypeFloat = 1;
    static constexpr std::uint32_t TypeBool = 2;
    static constexpr std::uint32_t TypeString = 3;
    static constexpr std::uint32_t TypeCommand = 4;

    std::uint32_t type = TypeUInt;
    bool readOnly = false;
    bool saved = false;
    void* storage = nullptr;
    std::string defaultText;
    // For a command: true while idle, false once requested.
    bool commandFlag = false;
    bool watched = false;
    std::uint32_t lastUIntValue = 0;
    float lastFloatValue = 0.0f;
    bool lastBoolValue = false;
    std::string lastStringValue;
    bool changed = false;
    bool unbound = false;
    // The value as text when the owner withdrew its storage.
    std::string keptText;
};

} // namespace OrvaneEngine
