#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Config;
class Engine;
class Sound;
class SoundManager;
class TimerManager;
} // namespace OrvaneEngine

namespace GameFramework
{

// The game's one way to music and sound effects: tracks play on numbered
// channels with fades, effects play in pools of instances so that one effect
// can overlap itself, and the two volumes are console variables. Without a
// sound manager everything is silent and every state reads stopped.
class SoundController
{
public:
    // The states of Sound::GetState.
    static constexpr std::uint32_t Playing = 0;
    static constexpr std::uint32_t Paused = 1;
    static constexpr std::uint32_t Stopped = 2;

    // A track's fade.
    enum FadeState : std::uint32_t
    {
        NoFade = 0,
        FadeIn = 1,
        FadeOut = 2,
        FadeOutThenPause = 3,
        FadeOutThenStop = 4,
    };

    // One playable instance of an effect.
    struct SoundEntry
    {
        std::uint32_t id = 0;
        std::string fileName;
        OrvaneEngine::Sound* sound = nullptr;
        bool looping = false;
        // Frame-timer seconds.
        float lastStart = 0.0f;
    };

    // One track. Its sound's volume is always fadeLevel * masterLevel.
    struct MusicEntry
    {
        OrvaneEngine::Sound* sound = nullptr;
        std::uint32_t trackId = 0;
        float fadeLevel = 1.0f;
        float masterLevel = 1.0f;
        std::uint32_t fadeState = NoFade;
        // Level units per second.
        float fadeRate = 0.0f;
    };

    // Registers "g_music_volume" and "g_sound_volume" with the given
    // defaults; values the ini file brought apply at once.
    SoundController(OrvaneEngine::Engine* engine, float defaultMusicVolume, float defaultSoundVolume);
    virtual ~SoundController();
    SoundController(const SoundController&) = delete;
    SoundController& operator=(const SoundController&) = delete;

    void AddMusic(std::uint32_t trackId, const std::string& fileName, bool loop);
    void AddSound(std::uint32_t id, const std::string& fileName, bool looping, std::uint32_t instances);
    void ApplySoundVolume();

    float GetMusicVolume() const { return musicVolume; }
    float GetSoundVolume() const { return soundVolume; }
    // Both clamp to 0..1.
    void SetMusicVolume(float volume);
    // Reaches every sound of the manager that is not music, the GUI's too.
    void SetSoundVolume(float volume);
    float GetDefaultMusicVolume() const;
    float GetDefaultSoundVolume() const;

    // Queued for the engine's next frame; never twice within 0.02 s.
    void PlaySound(std::uint32_t id);
    void StopSound(std::uint32_t id);
    std::uint32_t GetSoundState(std::uint32_t id) const;
    void SetSoundLooping(std::uint32_t id, bool looping);
    void SetSoundTempo(std::uint32_t id, float tempo);

    // Music acts at once. A fade's rate is in level units per second.
    void PlayMusic(std::uint32_t channel, std::uint32_t trackId, bool fade, float rate);
    void StopMusic(std::uint32_t channel, bool fade, float rate);
    void PauseMusic(std::uint32_t channel, bool pause, bool fade, float rate);
    std::uint32_t GetMusicState(std::uint32_t channel) const;
    void StopAllMusic(bool fade, float rate);
    void PauseAllMusic(bool pause, bool fade, float rate);

    void UpdateFade(MusicEntry& entry);
    // Once per frame: every fade moves on, then both volumes are applied
    // again, so a value typed into the console takes effect.
    void Update();

    const std::vector<std::unique_ptr<SoundEntry>>& GetSoundEntries() const { return sounds; }
    const std::vector<std::unique_ptr<MusicEntry>>& GetMusicEntries() const { return music; }
    // The entry last started on the channel, or null.
    const MusicEntry* GetChannelEntry(std::uint32_t channel) const;

private:
    MusicEntry* FindTrack(std::uint32_t trackId) const;
    bool IsMusicSound(const OrvaneEngine::Sound* sound) const;
    void StartTrack(MusicEntry& entry, bool fade, float rate);
    static void ApplyLevel(MusicEntry& entry);

    OrvaneEngine::Config* config;
    OrvaneEngine::SoundManager* soundManager;
    OrvaneEngine::TimerManager* timerManager;
    std::vector<std::unique_ptr<SoundEntry>> sounds;
    std::vector<std::unique_ptr<MusicEntry>> music;
    float musicVolume = 0.0f;
    float soundVolume = 0.0f;
    std::map<std::uint32_t, MusicEntry*> channels;
};

} // namespace GameFramework
