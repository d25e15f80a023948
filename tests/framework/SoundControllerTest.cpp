#include "content/WavWriter.h"
#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "engine/sound/Sound_DS7.h"
#include "framework/SoundController.h"
#include "platform/dsound/testing/DirectSoundHooks.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using GameFramework::SoundController;
using OrvaneEngine::Sound;

namespace
{

constexpr std::uint32_t shotId = 5;
constexpr std::uint32_t trackA = 0;
constexpr std::uint32_t trackB = 1;
const char* const shotFile = "audio\\shot.wav";
const char* const fileA = "music\\a.wav";
const char* const fileB = "music\\b.wav";
// Sample value of the music files: a steady level whose gain is easy to read
// back from the mix.
constexpr std::int16_t musicLevel = 16000;

// A headless engine whose sound device stands still between frames (only Mix
// moves its voices), a frame clock that moves 0.1 s per frame, a half-second
// effect and two one-second music loops.
class SoundControllerTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        win32::testing::SetFakeMilliseconds(1000);
        dsound::testing::SetJournalEnabled(true);
        WriteTone("data/audio/shot.wav", 11025, 8000);
        WriteTone("data/music/a.wav", 22050, musicLevel);
        WriteTone("data/music/b.wav", 22050, musicLevel);
    }

    void TearDown() override
    {
        controller.reset();
        Stop();
        dsound::testing::SetJournalEnabled(false);
        win32::testing::ResetMultimediaTimer();
    }

    void WriteTone(const std::string& path, std::size_t samples, std::int16_t level)
    {
        const std::string bytes = corvellan::content::WavWriter::Simple(
            corvellan::content::WavFormat{}, corvellan::content::Samples16(std::vector<std::int16_t>(samples, level)));
        ASSERT_TRUE(corvellan::test::WriteFileBytes(folder.Join(path), bytes));
    }

    // The engine with its device paused, and a controller with both volumes
    // at 1 unless asked otherwise.
    SoundController& Begin(float musicVolume = 1.0f, float soundVolume = 1.0f)
    {
        Start();
        if (engine->soundSystem)
            dsound::testing::SetDevicePaused(Device(), true);
        controller = std::make_unique<SoundController>(engine.get(), musicVolume, soundVolume);
        return *controller;
    }

    dsound::IDirectSound* Device() const
    {
        return static_cast<OrvaneEngine::SoundSystem_DS7*>(engine->soundSystem.get())->GetDevice();
    }

    // One frame of the game: the clock moves on 0.1 s, the engine updates,
    // the controller fades, and the engine's frame runs the queued effects.
    void Step(int frames = 1)
    {
        for (int i = 0; i < frames; ++i)
        {
            win32::testing::AdvanceFakeMilliseconds(100);
            engine->Update();
            controller->Update();
            engine->Frame(0);
        }
    }

    float Now() const { return engine->timerManager->GetFrameTimer()->GetTime(); }
    std::uint32_t Queued() const { return engine->soundManager->GetCommandCount(); }

    SoundController::SoundEntry& Effect(std::size_t index) { return *controller->GetSoundEntries().at(index); }

    SoundController::MusicEntry& Track(std::uint32_t trackId)
    {
        for (const auto& entry : controller->GetMusicEntries())
        {
            if (entry->trackId == trackId)
                return *entry;
        }
        throw std::runtime_error("no such track");
    }

    static std::size_t PlayCalls(Sound* sound)
    {
        dsound::IDirectSoundBuffer* buffer =
            static_cast<OrvaneEngine::Sound_DS7*>(sound)->GetTypedBuffer()->GetDeviceBuffer();
        std::size_t count = 0;
        for (const dsound::JournalEntry& entry : dsound::testing::GetJournal(buffer))
            count += entry.call == dsound::JournalCall::Play ? 1 : 0;
        return count;
    }

    // Mean magnitude of a tenth of a second of the device's output.
    float MixLevel() const
    {
        const std::vector<std::int16_t> samples = dsound::testing::Mix(Device(), 2205);
        double sum = 0.0;
        for (std::int16_t sample : samples)
            sum += std::abs(static_cast<int>(sample));
        return samples.empty() ? 0.0f : static_cast<float>(sum / static_cast<double>(samples.size()));
    }

    void AddTracks()
    {
        controller->AddMusic(trackA, fileA, true);
        controller->AddMusic(trackB, fileB, true);
    }

    std::unique_ptr<SoundController> controller;
};

// Effects

TEST_F(SoundControllerTest, InstancesOfAnEffectTakeTurnsLeastRecentlyStartedFirst)
{
    SoundController& sounds = Begin();
    sounds.AddSound(shotId, shotFile, false, 3);
    ASSERT_EQ(sounds.GetSoundEntries().size(), 3u);

    sounds.PlaySound(shotId);
    EXPECT_EQ(Queued(), 0u) << "nothing plays in the first 0.02 s of the frame clock";

    Step();
    for (std::size_t started = 0; started < 3; ++started)
    {
        SCOPED_TRACE(started);
        sounds.PlaySound(shotId);
        EXPECT_EQ(Effect(started).sound->GetState(), Sound::Stopped) << "queued for the engine's frame";
        Step();
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(Effect(i).sound->GetState(), i <= started ? Sound::Playing : Sound::Stopped) << i;
    }
    EXPECT_NE(Effect(0).sound, Effect(1).sound);
    EXPECT_NE(Effect(1).sound, Effect(2).sound);

    // The fourth start goes to the instance started first.
    const std::size_t playsBefore = PlayCalls(Effect(0).sound);
    sounds.PlaySound(shotId);
    EXPECT_FLOAT_EQ(Effect(0).lastStart, Now());
    Step();
    EXPECT_EQ(PlayCalls(Effect(0).sound), playsBefore + 1);
}

TEST_F(SoundControllerTest, TwoRequestsWithinTheGuardStartOnce)
{
    SoundController& sounds = Begin();
    sounds.AddSound(shotId, shotFile, false, 2);
    Step();
    sounds.PlaySound(shotId);
    sounds.PlaySound(shotId);
    EXPECT_EQ(Queued(), 1u);
    Step();
    EXPECT_EQ(Effect(0).sound->GetState(), Sound::Playing);
    EXPECT_EQ(Effect(1).sound->GetState(), Sound::Stopped);
}

TEST_F(SoundControllerTest, PlayingLoopIsNotRestartedButItsStartMovesOn)
{
    SoundController& sounds = Begin();
    sounds.AddSound(shotId, shotFile, true, 1);
    Step();
    sounds.PlaySound(shotId);
    Step();
    ASSERT_EQ(Effect(0).sound->GetState(), Sound::Playing);
    const std::size_t plays = PlayCalls(Effect(0).sound);

    Step();
    sounds.PlaySound(shotId);
    EXPECT_EQ(Queued(), 0u);
    EXPECT_FLOAT_EQ(Effect(0).lastStart, Now());
    Step();
    EXPECT_EQ(PlayCalls(Effect(0).sound), plays);
    EXPECT_EQ(Effect(0).sound->GetState(), Sound::Playing);
}

TEST_F(SoundControllerTest, EffectsStillStartAfterALongSession)
{
    for (std::uint32_t instances : {1u, 3u})
    {
        SCOPED_TRACE(instances);
        SoundController& sounds = Begin();
        sounds.AddSound(shotId, shotFile, false, instances);
        // About 28 hours of play.
        win32::testing::AdvanceFakeMilliseconds(100000u * 1000u);
        Step();
        ASSERT_GT(Now(), 100000.0f);
        for (std::uint32_t request = 0; request < instances + 2; ++request)
        {
            SCOPED_TRACE(request);
            sounds.PlaySound(shotId);
            EXPECT_EQ(Queued(), 1u);
            Step(10);
        }
        controller.reset();
    }
}

TEST_F(SoundControllerTest, StopLoopAndTempoReachEveryInstanceOfTheId)
{
    constexpr std::uint32_t otherId = 8;
    SoundController& sounds = Begin();
    sounds.AddSound(shotId, shotFile, false, 2);
    sounds.AddSound(otherId, shotFile, false, 1);
    Step();
    sounds.PlaySound(shotId);
    Step();
    sounds.PlaySound(shotId);
    sounds.PlaySound(otherId);
    Step();
    ASSERT_EQ(Effect(1).sound->GetState(), Sound::Playing);

    sounds.SetSoundLooping(shotId, true);
    sounds.SetSoundTempo(shotId, 1.5f);
    for (std::size_t i = 0; i < 2; ++i)
    {
        EXPECT_TRUE(Effect(i).looping);
        EXPECT_TRUE(Effect(i).sound->GetLoop());
        EXPECT_FLOAT_EQ(Effect(i).sound->GetTempo(), 1.5f);
    }
    EXPECT_FALSE(Effect(2).sound->GetLoop());
    EXPECT_FLOAT_EQ(Effect(2).sound->GetTempo(), 1.0f);

    // The state is the first instance's, whatever the others do.
    engine->soundManager->Stop(Effect(0).sound, true);
    EXPECT_EQ(sounds.GetSoundState(shotId), SoundController::Stopped);
    sounds.PlaySound(shotId);
    Step();
    EXPECT_EQ(sounds.GetSoundState(shotId), SoundController::Playing);
    EXPECT_EQ(sounds.GetSoundState(99), SoundController::Stopped);

    sounds.StopSound(shotId);
    EXPECT_EQ(Effect(0).sound->GetState(), Sound::Playing) << "queued for the engine's frame";
    Step();
    EXPECT_EQ(Effect(0).sound->GetState(), Sound::Stopped);
    EXPECT_EQ(Effect(1).sound->GetState(), Sound::Stopped);
    EXPECT_EQ(Effect(2).sound->GetState(), Sound::Playing);
}

// Music

TEST_F(SoundControllerTest, FadeInRisesAtItsRate)
{
    SoundController& sounds = Begin();
    AddTracks();
    sounds.PlayMusic(0, trackA, true, 0.5f);
    EXPECT_EQ(sounds.GetMusicState(0), SoundController::Playing) << "music acts at once";
    EXPECT_FLOAT_EQ(Track(trackA).sound->GetVolume(), 0.0f);
    Step(4);
    EXPECT_NEAR(Track(trackA).fadeLevel, 0.2f, 1e-4f);
    EXPECT_NEAR(Track(trackA).sound->GetVolume(), 0.2f, 1e-4f);
    Step(17);
    EXPECT_FLOAT_EQ(Track(trackA).fadeLevel, 1.0f);
    EXPECT_EQ(Track(trackA).fadeState, SoundController::NoFade);
}

TEST_F(SoundControllerTest, AnotherTrackPushesTheOldOneOutWithinASecond)
{
    SoundController& sounds = Begin();
    AddTracks();
    sounds.PlayMusic(0, trackA, true, 0.5f);
    Step(4);
    sounds.PlayMusic(0, trackB, true, 0.5f);
    ASSERT_NE(sounds.GetChannelEntry(0), nullptr);
    EXPECT_EQ(sounds.GetChannelEntry(0)->trackId, trackB);
    EXPECT_EQ(Track(trackA).fadeState, SoundController::FadeOutThenStop);

    Step();
    EXPECT_NEAR(Track(trackA).fadeLevel, 0.1f, 1e-4f);
    EXPECT_NEAR(Track(trackB).fadeLevel, 0.05f, 1e-4f);
    EXPECT_EQ(Track(trackA).sound->GetState(), Sound::Playing);
    Step(2);
    EXPECT_EQ(Track(trackA).sound->GetState(), Sound::Stopped);
    EXPECT_FLOAT_EQ(Track(trackA).fadeLevel, 0.0f);
    EXPECT_NEAR(Track(trackB).fadeLevel, 0.15f, 1e-4f);
    EXPECT_EQ(sounds.GetMusicState(0), SoundController::Playing);
}

TEST_F(SoundControllerTest, AskingForThePlayingTrackChangesNothing)
{
    SoundController& sounds = Begin();
    AddTracks();
    sounds.PlayMusic(0, trackA, true, 0.5f);
    Step(4);
    const std::size_t plays = PlayCalls(Track(trackA).sound);
    sounds.PlayMusic(0, trackA, true, 0.5f);
    sounds.PlayMusic(0, trackA, false, 0.0f);
    EXPECT_EQ(PlayCalls(Track(trackA).sound), plays);
    EXPECT_NEAR(Track(trackA).fadeLevel, 0.2f, 1e-4f);
    EXPECT_EQ(Track(trackA).fadeState, SoundController::FadeIn);
}

TEST_F(SoundControllerTest, TrackAskedForWhileFadingOutComesBack)
{
    SoundController& sounds = Begin();
    AddTracks();
    sounds.PlayMusic(0, trackA, false, 0.0f);
    Step();
    sounds.StopAllMusic(true, 1.0f);
    Step();
    ASSERT_EQ(Track(trackA).fadeState, SoundController::FadeOutThenStop);

    const std::size_t plays = PlayCalls(Track(trackA).sound);
    sounds.PlayMusic(0, trackA, true, 0.5f);
    EXPECT_EQ(PlayCalls(Track(trackA).sound), plays + 1);
    EXPECT_EQ(Track(trackA).fadeState, SoundController::FadeIn);
    EXPECT_FLOAT_EQ(Track(trackA).fadeLevel, 0.0f);
    Step(15);
    EXPECT_EQ(sounds.GetMusicState(0), SoundController::Playing);
    EXPECT_NEAR(Track(trackA).fadeLevel, 0.75f, 1e-4f);
}

TEST_F(SoundControllerTest, StopMusic)
{
    SoundController& sounds = Begin();
    AddTracks();
    sounds.StopMusic(3, true, 0.5f);
    EXPECT_EQ(sounds.GetMusicState(3), SoundController::Stopped) << "a channel never used";

    // Paused: stopped at once even when a fade is asked for.
    sounds.PlayMusic(0, trackA, false, 0.0f);
    sounds.PauseMusic(0, true, false, 0.0f);
    ASSERT_EQ(sounds.GetMusicState(0), SoundController::Paused);
    sounds.StopMusic(0, true, 0.5f);
    EXPECT_EQ(sounds.GetMusicState(0), SoundController::Stopped);

    // Playing: at once without a fade, at the rate with one.
    sounds.PlayMusic(1, trackB, false, 0.0f);
    sounds.StopMusic(1, false, 0.0f);
    EXPECT_EQ(sounds.GetMusicState(1), SoundController::Stopped);
    sounds.PlayMusic(1, trackB, false, 0.0f);
    sounds.StopMusic(1, true, 0.5f);
    Step(19);
    EXPECT_EQ(sounds.GetMusicState(1), SoundController::Playing);
    EXPECT_NEAR(Track(trackB).fadeLevel, 0.05f, 1e-4f);
    Step(2);
    EXPECT_EQ(sounds.GetMusicState(1), SoundController::Stopped);
}

TEST_F(SoundControllerTest, StopDuringAFadeToAPauseStaysStopped)
{
    SoundController& sounds = Begin();
    AddTracks();
    sounds.PlayMusic(0, trackA, false, 0.0f);
    sounds.PauseMusic(0, true, true, 0.5f);
    Step(2);
    sounds.StopMusic(0, false, 0.0f);
    EXPECT_EQ(sounds.GetMusicState(0), SoundController::Stopped);
    Step(30);
    EXPECT_EQ(sounds.GetMusicState(0), SoundController::Stopped) << "the old fade must not pause it";
    sounds.PauseAllMusic(false, false, 0.0f);
    Step();
    EXPECT_EQ(sounds.GetMusicState(0), SoundController::Stopped) << "a resume must not bring it back";
}

TEST_F(SoundControllerTest, PauseAllWithAFadeThenResumeFromSilence)
{
    SoundController& sounds = Begin();
    AddTracks();
    sounds.PlayMusic(1, trackB, false, 0.0f);
    sounds.PlayMusic(0, trackA, false, 0.0f);
    sounds.PauseAllMusic(true, true, 0.5f);
    Step(2);
    EXPECT_NEAR(Track(trackA).fadeLevel, 0.9f, 1e-4f);
    EXPECT_NEAR(Track(trackB).fadeLevel, 0.9f, 1e-4f);
    Step(17);
    EXPECT_EQ(sounds.GetMusicState(0), SoundController::Playing);
    Step(2);
    EXPECT_EQ(sounds.GetMusicState(0), SoundController::Paused);
    EXPECT_EQ(sounds.GetMusicState(1), SoundController::Paused);
    EXPECT_EQ(Track(trackA).fadeState, SoundController::NoFade);

    sounds.PauseAllMusic(false, true, 0.5f);
    EXPECT_EQ(sounds.GetMusicState(0), SoundController::Playing);
    EXPECT_EQ(sounds.GetMusicState(1), SoundController::Playing);
    EXPECT_FLOAT_EQ(Track(trackA).fadeLevel, 0.0f);
    Step();
    EXPECT_NEAR(Track(trackA).fadeLevel, 0.05f, 1e-4f);

    // Resuming what plays, or pausing what is paused, does nothing.
    const std::size_t plays = PlayCalls(Track(trackA).sound);
    sounds.PauseMusic(0, false, false, 0.0f);
    EXPECT_EQ(PlayCalls(Track(trackA).sound), plays);
    EXPECT_NEAR(Track(trackA).fadeLevel, 0.05f, 1e-4f);
}

TEST_F(SoundControllerTest, PausingATrackOnItsWayToAStop)
{
    const struct
    {
        const char* name;
        bool fade;
        int frames;
        std::uint32_t state;
    } cases[] = {
        {"without a fade: stopped at once", false, 0, SoundController::Stopped},
        {"with a fade: still fading out to a stop", true, 12, SoundController::Stopped},
    };
    for (const auto& row : cases)
    {
        SCOPED_TRACE(row.name);
        SoundController& sounds = Begin();
        AddTracks();
        sounds.PlayMusic(0, trackA, false, 0.0f);
        sounds.StopMusic(0, true, 1.0f);
        Step();
        sounds.PauseMusic(0, true, row.fade, 0.5f);
        EXPECT_EQ(Track(trackA).fadeState, SoundController::FadeOutThenStop) << "a stop is not turned into a pause";
        Step(row.frames);
        EXPECT_EQ(sounds.GetMusicState(0), row.state);
        controller.reset();
    }
}

TEST_F(SoundControllerTest, UnknownTrackLeavesTheChannelAlone)
{
    SoundController& sounds = Begin();
    AddTracks();
    sounds.PlayMusic(0, trackA, false, 0.0f);
    sounds.PlayMusic(0, 77, true, 0.5f);
    ASSERT_NE(sounds.GetChannelEntry(0), nullptr);
    EXPECT_EQ(sounds.GetChannelEntry(0)->trackId, trackA);
    EXPECT_EQ(Track(trackA).fadeState, SoundController::NoFade);
    Step(3);
    EXPECT_FLOAT_EQ(Track(trackA).fadeLevel, 1.0f);
    sounds.PlayMusic(4, 77, false, 0.0f);
    EXPECT_EQ(sounds.GetChannelEntry(4), nullptr);
    EXPECT_EQ(sounds.GetMusicState(4), SoundController::Stopped);
}

// Volumes

TEST_F(SoundControllerTest, ConsoleValuesAreClampedAndAppliedAtTheNextFrame)
{
    SoundController& sounds = Begin(0.5f, 0.5f);
    AddTracks();
    sounds.AddSound(shotId, shotFile, false, 1);
    sounds.PlayMusic(0, trackA, true, 0.5f);
    Step(4);
    ASSERT_EQ(engine->config->Execute("g_music_volume 2"), OrvaneEngine::Config::ExecuteDone);
    ASSERT_EQ(engine->config->Execute("g_sound_volume -1"), OrvaneEngine::Config::ExecuteDone);
    Step();
    EXPECT_FLOAT_EQ(sounds.GetMusicVolume(), 1.0f);
    EXPECT_FLOAT_EQ(sounds.GetSoundVolume(), 0.0f);
    EXPECT_NEAR(Track(trackA).sound->GetVolume(), Track(trackA).fadeLevel * 1.0f, 1e-6f);
    EXPECT_NEAR(Track(trackA).fadeLevel, 0.25f, 1e-4f);
    EXPECT_FLOAT_EQ(Effect(0).sound->GetVolume(), 0.0f);
}

TEST_F(SoundControllerTest, SoundVolumeReachesEverySoundButMusic)
{
    SoundController& sounds = Begin();
    // Stands for a GUI sound: made by the sound manager, not the controller.
    Sound* gui = engine->soundManager->CreateSound(shotFile);
    AddTracks();
    sounds.AddSound(shotId, shotFile, false, 2);
    sounds.SetMusicVolume(0.5f);
    sounds.SetSoundVolume(0.4f);
    EXPECT_FLOAT_EQ(gui->GetVolume(), 0.4f);
    EXPECT_FLOAT_EQ(Effect(0).sound->GetVolume(), 0.4f);
    EXPECT_FLOAT_EQ(Effect(1).sound->GetVolume(), 0.4f);
    EXPECT_FLOAT_EQ(Track(trackA).sound->GetVolume(), 0.5f);
    EXPECT_FLOAT_EQ(Track(trackB).sound->GetVolume(), 0.5f);

    sounds.SetSoundVolume(1.7f);
    sounds.SetMusicVolume(-3.0f);
    EXPECT_FLOAT_EQ(sounds.GetSoundVolume(), 1.0f);
    EXPECT_FLOAT_EQ(gui->GetVolume(), 1.0f);
    EXPECT_FLOAT_EQ(sounds.GetMusicVolume(), 0.0f);
    EXPECT_FLOAT_EQ(Track(trackA).sound->GetVolume(), 0.0f);
    engine->soundManager->ReleaseSound(gui);
}

TEST_F(SoundControllerTest, VolumesStartFromTheIniOrTheGamesDefaults)
{
    const struct
    {
        const char* ini;
        float music;
        float sound;
    } cases[] = {
        {"", 0.16f, 0.7f},
        {"g_music_volume 0.25\r\ng_sound_volume 3\r\n", 0.25f, 1.0f},
    };
    settings.configName = "Test";
    for (const auto& row : cases)
    {
        SCOPED_TRACE(row.ini);
        ASSERT_TRUE(corvellan::test::WriteFileBytes(folder.Join("Test.ini"), row.ini));
        SoundController& sounds = Begin(0.16f, 0.7f);
        EXPECT_FLOAT_EQ(sounds.GetMusicVolume(), row.music);
        EXPECT_FLOAT_EQ(sounds.GetSoundVolume(), row.sound);
        EXPECT_FLOAT_EQ(sounds.GetDefaultMusicVolume(), 0.16f);
        EXPECT_FLOAT_EQ(sounds.GetDefaultSoundVolume(), 0.7f);
        EXPECT_EQ(engine->config->GetDefaultText("g_music_volume"), "0.160000");
        EXPECT_EQ(engine->config->GetDefaultText("g_sound_volume"), "0.700000");
        AddTracks();
        sounds.AddSound(shotId, shotFile, false, 1);
        EXPECT_FLOAT_EQ(Track(trackA).sound->GetVolume(), row.music);
        EXPECT_FLOAT_EQ(Effect(0).sound->GetVolume(), row.sound);
        controller.reset();
        Stop();
    }
}

TEST_F(SoundControllerTest, FadingTrackMixesAtTheGainOfItsLevel)
{
    SoundController& sounds = Begin();
    AddTracks();
    sounds.PlayMusic(0, trackA, false, 0.0f);
    const float full = MixLevel();
    ASSERT_GT(full, 0.5f * musicLevel);

    sounds.StopMusic(0, false, 0.0f);
    sounds.PlayMusic(0, trackA, true, 0.5f);
    Step(10);
    ASSERT_NEAR(Track(trackA).fadeLevel, 0.5f, 1e-4f);
    // Level 0.5 is an attenuation of 6.93 dB under the sound layer's law.
    EXPECT_NEAR(MixLevel() / full, 0.45f, 0.01f);
}

// Without a device, and at the end

TEST_F(SoundControllerTest, WithoutADeviceEverythingIsSilentAndStopped)
{
    {
        corvellan::test::ScopedEnvironment driver("SDL_AUDIODRIVER", "nosuchdriver");
        Start();
    }
    ASSERT_EQ(engine->soundManager, nullptr);
    controller = std::make_unique<SoundController>(engine.get(), 0.16f, 0.7f);
    SoundController& sounds = *controller;
    AddTracks();
    sounds.AddSound(shotId, shotFile, true, 3);
    EXPECT_TRUE(sounds.GetSoundEntries().empty());
    EXPECT_TRUE(sounds.GetMusicEntries().empty());

    sounds.ApplySoundVolume();
    sounds.PlaySound(shotId);
    sounds.SetSoundLooping(shotId, false);
    sounds.SetSoundTempo(shotId, 2.0f);
    sounds.StopSound(shotId);
    sounds.PlayMusic(0, trackA, true, 0.5f);
    sounds.PauseAllMusic(true, true, 0.5f);
    sounds.PauseMusic(0, false, false, 0.0f);
    sounds.StopMusic(0, false, 0.0f);
    sounds.StopAllMusic(true, 1.0f);
    Step(3);
    for (std::uint32_t id : {0u, shotId, 29u})
    {
        EXPECT_EQ(sounds.GetSoundState(id), SoundController::Stopped) << id;
        EXPECT_EQ(sounds.GetMusicState(id), SoundController::Stopped) << id;
    }
    EXPECT_FLOAT_EQ(sounds.GetDefaultMusicVolume(), 0.16f);
}

TEST_F(SoundControllerTest, DestructionReleasesItsSoundsAndUnbindsTheVolumes)
{
    SoundController& sounds = Begin();
    const std::uint32_t before = engine->soundManager->GetSoundCount();
    AddTracks();
    sounds.AddSound(shotId, shotFile, false, 3);
    EXPECT_EQ(engine->soundManager->GetSoundCount(), before + 5);
    sounds.SetMusicVolume(0.3f);
    sounds.SetSoundVolume(0.6f);
    sounds.PlayMusic(0, trackA, true, 0.5f);
    Step();
    controller.reset();
    EXPECT_EQ(engine->soundManager->GetSoundCount(), before);
    EXPECT_EQ(engine->config->GetValueText("g_music_volume"), "0.300000");

    // Unbound, the variables bind again to the next controller with the
    // values they kept.
    controller = std::make_unique<SoundController>(engine.get(), 1.0f, 1.0f);
    EXPECT_FLOAT_EQ(controller->GetMusicVolume(), 0.3f);
    EXPECT_FLOAT_EQ(controller->GetSoundVolume(), 0.6f);
}

} // namespace
