#pragma once

#include <cstdint>

namespace GameFramework
{
class SoundController;
}

namespace Mirabel
{

// The level's ways of starting and ending its effect sounds.
bool IsSoundPlaying(const GameFramework::SoundController& sounds, std::uint32_t id);
// Starts the sound unless it plays already.
void StartSoundIfIdle(GameFramework::SoundController& sounds, std::uint32_t id);
void StopSoundIfPlaying(GameFramework::SoundController& sounds, std::uint32_t id);
// Makes the sound loop and starts it unless it plays already.
void LoopSoundIfIdle(GameFramework::SoundController& sounds, std::uint32_t id);
// A playing sound ends after its current pass.
void EndSoundLoop(GameFramework::SoundController& sounds, std::uint32_t id);

} // namespace Mirabel
