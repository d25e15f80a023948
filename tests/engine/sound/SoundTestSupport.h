#pragma once

#include "tests/support/SoundDevice.h"

#include <cstdint>
#include <optional>
#include <string>

namespace corvellan::test
{

// Sets an environment variable for the life of the object, then puts the old
// value (or its absence) back.
class EnvironmentOverride
{
public:
    EnvironmentOverride(std::string name, const std::string& value);
    ~EnvironmentOverride();
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    std::string name;
    std::optional<std::string> previous;
};

// A WAV file of 16-bit stereo frames whose bytes tell their own offset, so a
// piece of the ring shows where in the file it came from.
std::string CountingStereo16(std::uint32_t frames);

} // namespace corvellan::test
