#include "framework/SoundController.h"

#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/Engine.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"

#include <cmath>

namespace GameFramework
{

namespace
{

const char* const musicVolumeName = "g_music_volume";
const char* const soundVolumeName = "g_sound_volume";

// Two starts of one effect closer than this are one start.
constexpr float shortestRestart = 0.02f;
// How fast a track gives way to another on its channel.
constexpr float replacedTrackRate = 1.0f;

// Anything not a number counts as silence.
float ClampVolume(float volume)
{
    if (volume > 1.0f)
        return 1.0f;
    return volume >= 0.0f ? volume : 0.0f;
}

} // namespace

SoundController::SoundController(OrvaneEngine::Engine* engine, float defaultMusicVolume, float defaultSoundVolume)
    : config(engine->config.get()),
      soundManager(engine->soundManager.get()),
      timerManager(engine->timerManager.get())
{
    using OrvaneEngine::ConfigVariable;
    config->RegisterVariable(musicVolumeName, ConfigVariable::TypeFloat, false, true, &musicVolume,
                             OrvaneEngine::FloatToString(defaultMusicVolume, 6), false);
    config->RegisterVariable(soundVolumeName, ConfigVariable::TypeFloat, false, true, &soundVolume,
                             OrvaneEngine::FloatToString(defaultSoundVolume, 6), false);
    SetMusicVolume(musicVolume);
    SetSoundVolume(soundVolume);
}

SoundController::~SoundController()
{
    if (soundManager)
    {
        for (const std::unique_ptr<SoundEntry>& entry : sounds)
            soundManager->ReleaseSound(entry->sound);
        for (const std::unique_ptr<MusicEntry>& entry : music)
            soundManager->ReleaseSound(entry->sound);
    }
    channels.clear();
    sounds.clear();
    music.clear();
    config->UnbindVariable(musicVolumeName);
    config->UnbindVariable(soundVolumeName);
}

void SoundController::AddMusic(std::uint32_t trackId, const std::string& fileName, bool loop)
{
    if (!soundManager)
        return;
    auto entry = std::make_unique<MusicEntry>();
    entry->sound = soundManager->CreateSound(fileName);
    entry->sound->SetLoop(loop);
    entry->trackId = trackId;
    entry->fadeLevel = entry->sound->GetVolume();
    entry->masterLevel = musicVolume;
    ApplyLevel(*entry);
    music.push_back(std::move(entry));
}

void SoundController::AddSound(std::uint32_t id, const std::string& fileName, bool looping, std::uint32_t instances)
{
    if (!soundManager)
        return;
    for (std::uint32_t i = 0; i < instances; ++i)
    {
        auto entry = std::make_unique<SoundEntry>();
        entry->id = id;
        entry->fileName = fileName;
        entry->sound = soundManager->CreateSound(fileName);
        entry->sound->SetLoop(looping);
        entry->sound->SetVolume(soundVolume);
        entry->looping = looping;
        sounds.push_back(std::move(entry));
    }
}

void SoundController::ApplySoundVolume()
{
    SetSoundVolume(soundVolume);
}

void SoundController::SetMusicVolume(float volume)
{
    musicVolume = ClampVolume(volume);
    if (!soundManager)
        return;
    for (const std::unique_ptr<MusicEntry>& entry : music)
    {
        entry->masterLevel = musicVolume;
        ApplyLevel(*entry);
    }
}

void SoundController::SetSoundVolume(float volume)
{
    soundVolume = ClampVolume(volume);
    if (!soundManager)
        return;
    const std::uint32_t count = soundManager->GetSoundCount();
    for (std::uint32_t i = 0; i < count; ++i)
    {
        OrvaneEngine::Sound* sound = soundManager->GetSound(i);
        if (!IsMusicSound(sound))
            sound->SetVolume(soundVolume);
    }
}

float SoundController::GetDefaultMusicVolume() const
{
    return OrvaneEngine::StringToFloat(config->GetDefaultText(musicVolumeName));
}

float SoundController::GetDefaultSoundVolume() const
{
    return OrvaneEngine::StringToFloat(config->GetDefaultText(soundVolumeName));
}

void SoundController::PlaySound(std::uint32_t id)
{
    if (!soundManager)
        return;
    const float now = timerManager->GetFrameTimer()->GetTime();
    // The least recently started instance plays, so a new start never cuts
    // off the one that began last. The first instance is the starting point
    // rather than a fixed time, which any long session would pass.
    SoundEntry* chosen = nullptr;
    for (const std::unique_ptr<SoundEntry>& entry : sounds)
    {
        if (entry->id != id)
            continue;
        if (std::fabs(now - entry->lastStart) < shortestRestart)
            return;
        if (!chosen || entry->lastStart < chosen->lastStart)
            chosen = entry.get();
    }
    if (!chosen)
        return;
    if (!chosen->looping || chosen->sound->GetState() != Playing)
        soundManager->Play(chosen->sound, false);
    chosen->lastStart = now;
}

void SoundController::StopSound(std::uint32_t id)
{
    if (!soundManager)
        return;
    for (const std::unique_ptr<SoundEntry>& entry : sounds)
    {
        if (entry->id == id)
            soundManager->Stop(entry->sound, false);
    }
}

std::uint32_t SoundController::GetSoundState(std::uint32_t id) const
{
    if (!soundManager)
        return Stopped;
    for (const std::unique_ptr<SoundEntry>& entry : sounds)
    {
        if (entry->id == id)
            return entry->sound->GetState();
    }
    return Stopped;
}

void SoundController::SetSoundLooping(std::uint32_t id, bool looping)
{
    if (!soundManager)
        return;
    for (const std::unique_ptr<SoundEntry>& entry : sounds)
    {
        if (entry->id != id)
            continue;
        entry->looping = looping;
        entry->sound->SetLoop(looping);
    }
}

void SoundController::SetSoundTempo(std::uint32_t id, float tempo)
{
    if (!soundManager)
        return;
    for (const std::unique_ptr<SoundEntry>& entry : sounds)
    {
        if (entry->id == id)
            entry->sound->SetTempo(tempo);
    }
}

void SoundController::PlayMusic(std::uint32_t channel, std::uint32_t trackId, bool fade, float rate)
{
    if (!soundManager)
        return;
    MusicEntry* requested = FindTrack(trackId);
    // A track never added leaves the channel as it is.
    if (!requested)
        return;
    const auto current = channels.find(channel);
    if (current == channels.end())
    {
        channels.emplace(channel, requested);
    }
    else if (current->second->trackId != trackId)
    {
        current->second->fadeState = FadeOutThenStop;
        current->second->fadeRate = replacedTrackRate;
        current->second = requested;
    }
    else
    {
        // A track on its way out still plays, yet asking for it again must
        // bring it back rather than let the fade end in silence.
        const bool leaving = requested->fadeState == FadeOutThenPause || requested->fadeState == FadeOutThenStop;
        if (requested->sound->GetState() == Playing && !leaving)
            return;
    }
    StartTrack(*requested, fade, rate);
}

void SoundController::StopMusic(std::uint32_t channel, bool fade, float rate)
{
    if (!soundManager)
        return;
    const auto it = channels.find(channel);
    if (it == channels.end())
        return;
    MusicEntry& entry = *it->second;
    const std::uint32_t state = entry.sound->GetState();
    if (state == Paused || (state == Playing && !fade))
    {
        soundManager->Stop(entry.sound, true);
        // A fade still running would end in a pause, and a later resume would
        // bring back the music this stop ended.
        entry.fadeState = NoFade;
    }
    else if (state == Playing)
    {
        entry.fadeState = FadeOutThenStop;
        entry.fadeRate = rate;
    }
}

void SoundController::PauseMusic(std::uint32_t channel, bool pause, bool fade, float rate)
{
    if (!soundManager)
        return;
    const auto it = channels.find(channel);
    if (it == channels.end())
        return;
    MusicEntry& entry = *it->second;
    const std::uint32_t state = entry.sound->GetState();
    if (!pause)
    {
        if (state == Paused)
            StartTrack(entry, fade, rate);
        return;
    }
    if (state != Playing)
        return;
    if (fade)
    {
        if (entry.fadeState != FadeOutThenStop)
        {
            entry.fadeState = FadeOutThenPause;
            entry.fadeRate = rate;
        }
    }
    else if (entry.fadeState == FadeOutThenStop)
    {
        soundManager->Stop(entry.sound, true);
    }
    else
    {
        soundManager->Pause(entry.sound, true);
    }
}

std::uint32_t SoundController::GetMusicState(std::uint32_t channel) const
{
    if (!soundManager)
        return Stopped;
    const auto it = channels.find(channel);
    if (it == channels.end())
        return Stopped;
    const std::uint32_t state = it->second->sound->GetState();
    return state == Playing || state == Paused ? state : Stopped;
}

void SoundController::StopAllMusic(bool fade, float rate)
{
    if (!soundManager)
        return;
    for (const auto& [channel, entry] : channels)
        StopMusic(channel, fade, rate);
}

void SoundController::PauseAllMusic(bool pause, bool fade, float rate)
{
    if (!soundManager)
        return;
    for (const auto& [channel, entry] : channels)
        PauseMusic(channel, pause, fade, rate);
}

void SoundController::UpdateFade(MusicEntry& entry)
{
    if (!soundManager)
        return;
    const float dt = timerManager->frameTime;
    if (entry.fadeState == FadeIn)
    {
        entry.fadeLevel += entry.fadeRate * dt;
        if (entry.fadeLevel >= 1.0f)
        {
            entry.fadeLevel = 1.0f;
            entry.fadeState = NoFade;
        }
    }
    else if (entry.fadeState != NoFade)
    {
        entry.fadeLevel -= entry.fadeRate * dt;
        if (entry.fadeLevel < 0.0f)
        {
            if (entry.fadeState == FadeOutThenStop)
                soundManager->Stop(entry.sound, true);
            else if (entry.fadeState == FadeOutThenPause)
                soundManager->Pause(entry.sound, true);
            entry.fadeLevel = 0.0f;
            entry.fadeState = NoFade;
        }
    }
    ApplyLevel(entry);
}

void SoundController::Update()
{
    if (!soundManager)
        return;
    for (const std::unique_ptr<MusicEntry>& entry : music)
        UpdateFade(*entry);
    SetSoundVolume(soundVolume);
    SetMusicVolume(musicVolume);
}

const SoundController::MusicEntry* SoundController::GetChannelEntry(std::uint32_t channel) const
{
    const auto it = channels.find(channel);
    return it == channels.end() ? nullptr : it->second;
}

SoundController::MusicEntry* SoundController::FindTrack(std::uint32_t trackId) const
{
    for (const std::unique_ptr<MusicEntry>& entry : music)
    {
        if (entry->trackId == trackId)
            return entry.get();
    }
    return nullptr;
}

bool SoundController::IsMusicSound(const OrvaneEngine::Sound* sound) const
{
    for (const std::unique_ptr<MusicEntry>& entry : music)
    {
        if (entry->sound == sound)
            return true;
    }
    return false;
}

void SoundController::StartTrack(MusicEntry& entry, bool fade, float rate)
{
    entry.fadeLevel = fade ? 0.0f : 1.0f;
    entry.fadeState = NoFade;
    ApplyLevel(entry);
    soundManager->Play(entry.sound, true);
    if (fade)
    {
        entry.fadeState = FadeIn;
        entry.fadeRate = rate;
    }
}

void SoundController::ApplyLevel(MusicEntry& entry)
{
    entry.sound->SetVolume(entry.fadeLevel * entry.masterLevel);
}

} // namespace GameFramework
