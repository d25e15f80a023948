#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class Sound;
class SoundManager;
class TimerManager;

// One sound of a GUI sound event and the time it last played.
struct GUISoundEntry
{
    Sound* sound = nullptr;
    float lastPlay = 0.0f;
};

// Plays the sounds of GUI events (hovering, pressing, typing), one of the
// event's sounds at a time, never twice in the same instant. Without a sound
// manager it does nothing.
class GUISoundManager
{
public:
    // A play closer than this to the last play of any of the event's sounds
    // is dropped.
    static constexpr float RepeatGuard = 0.01f;

    GUISoundManager(TimerManager* timers, SoundManager* soundManager);
    virtual ~GUISoundManager();
    GUISoundManager(const GUISoundManager&) = delete;
    GUISoundManager& operator=(const GUISoundManager&) = delete;

    void AddSound(std::uint32_t event, const std::string& fileName);
    // Queues the least recently played sound of the event for the sound
    // manager's next update.
    virtual void Play(std::uint32_t event);

    const std::map<std::uint32_t, std::vector<std::unique_ptr<GUISoundEntry>>>& GetEvents() const
    {
        return events;
    }

private:
    TimerManager* timers;
    SoundManager* soundManager;
    std::map<std::uint32_t, std::vector<std::unique_ptr<GUISoundEntry>>> events;
    float volume = 1.0f;
};

} // namespace OrvaneEngine
