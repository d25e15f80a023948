#pragma once

#include <cstdint>

namespace OrvaneEngine
{

class Sound;

// A play, pause or stop request waiting for the sound manager's update.
struct SoundCommand
{
    enum Type : std::uint32_t
    {
        Play = 0,
        Pause = 1,
        Stop = 2,
    };

    std::uint32_t type;
    Sound* sound;
};

} // namespace OrvaneEngine
