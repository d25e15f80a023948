#include "engine/gui/GUISoundManager.h"

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"

#include <cmath>

namespace OrvaneEngine
{

GUISoundManager::GUISoundManager(TimerManager* timers_, SoundManager* soundManager_)
    : timers(timers_), soundManager(soundManager_)
{
}

GUISoundManager::~GUISoundManager()
{
    if (soundManager == nullptr)
        return;
    for (auto& [event, entries] : events)
    {
        for (const std::unique_ptr<GUISoundEntry>& entry : entries)
            soundManager->ReleaseSound(entry->sound);
    }
    events.clear();
}

void GUISoundManager::AddSound(std::uint32_t event, const std::string& fileName)
{
    if (soundManager == nullptr)
        return;
    auto entry = std::make_unique<GUISoundEntry>();
    entry->sound = soundManager->CreateSound(fileName);
    entry->sound->SetVolume(volume);
    entry->lastPlay = 0.0f;
    events[event].push_back(std::move(entry));
}

void GUISoundManager::Play(std::uint32_t event)
{
    if (soundManager == nullptr)
        return;
    const auto found = events.find(event);
    if (found == events.end() || found->second.empty())
        return;
    const float now = timers->GetFrameTimer()->GetTime();

    GUISoundEntry* oldest = nullptr;
    for (const std::unique_ptr<GUISoundEntry>& entry : found->second)
    {
        // Two widgets entered in one frame would otherwise sound together.
        if (std::fabs(now - entry->lastPlay) < RepeatGuard)
            return;
        // Strictly older only: on a tie the entry added first plays.
        if (oldest == nullptr || entry->lastPlay < oldest->lastPlay)
            oldest = entry.get();
    }
    soundManager->Play(oldest->sound, false);
    oldest->lastPlay = now;
}

} // namespace OrvaneEngine
