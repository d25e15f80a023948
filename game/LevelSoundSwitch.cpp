#include "game/LevelSoundSwitch.h"

#include "framework/SoundController.h"

namespace Mirabel
{

bool IsSoundPlaying(const GameFramework::SoundController& sounds, std::uint32_t id)
{
    return sounds.GetSoundState(id) == GameFramework::SoundController::Playing;
}

void StartSoundIfIdle(GameFramework::SoundController& sounds, std::uint32_t id)
{
    if (!IsSoundPlaying(sounds, id))
        sounds.PlaySound(id);
}

void StopSoundIfPlaying(GameFramework::SoundController& sounds, std::uint32_t id)
{
    if (IsSoundPlaying(sounds, id))
        sounds.StopSound(id);
}

void LoopSoundIfIdle(GameFramework::SoundController& sounds, std::uint32_t id)
{
    if (IsSoundPlaying(sounds, id))
        return;
    sounds.SetSoundLooping(id, true);
    sounds.PlaySound(id);
}

void EndSoundLoop(GameFramework::SoundController& sounds, std::uint32_t id)
{
    if (IsSoundPlaying(sounds, id))
        sounds.SetSoundLooping(id, false);
}

} // namespace Mirabel
