#pragma once

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/gtest/SoundDevice.h"

#include <cstdint>
#include <string>

namespace corvellan::test
{

// A WAV file of 16-bit stereo frames whose bytes tell their own offset, so a
// piece of the ring shows where in the file it came from.
std::string CountingStereo16(std::uint32_t frames);

} // namespace corvellan::test
