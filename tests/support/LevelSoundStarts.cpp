#include "tests/support/LevelSoundStarts.h"

#include <stdexcept>

namespace corvellan::test
{

LevelSoundStarts::LevelSoundStarts(const GameFramework::SoundController& sounds_, std::uint32_t id_)
    : sounds(sounds_), id(id_)
{
    last = Entry().lastStart;
}

void LevelSoundStarts::Check()
{
    if (Entry().lastStart != last)
        ++starts;
    last = Entry().lastStart;
}

const GameFramework::SoundController::SoundEntry& LevelSoundStarts::Entry() const
{
    for (const auto& entry : sounds.GetSoundEntries())
    {
        if (entry->id == id)
            return *entry;
    }
    throw std::runtime_error("the sound table has no such sound");
}

} // namespace corvellan::test
