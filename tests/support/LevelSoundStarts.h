#pragma once

#include "framework/SoundController.h"

#include <cstdint>

namespace corvellan::test
{

// Counts the starts of one effect sound by the controller: each start moves
// its entry's start time on. Call Check after every frame.
class LevelSoundStarts
{
public:
    LevelSoundStarts(const GameFramework::SoundController& sounds, std::uint32_t id);
    void Check();
    std::uint32_t starts = 0;

private:
    const GameFramework::SoundController::SoundEntry& Entry() const;

    const GameFramework::SoundController& sounds;
    std::uint32_t id;
    float last = 0.0f;
};

} // namespace corvellan::test
