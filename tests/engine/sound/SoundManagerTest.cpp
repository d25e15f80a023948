// Sounds as the game drives them, and the manager's queue and registry.
#include "content/WavWriter.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBufferManager.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/Sound_DS7.h"
#include "platform/dsound/IDirectSoundBuffer.h"
#include "platform/dsound/testing/DirectSoundHooks.h"
#include "tests/engine/sound/SoundTestSupport.h"

#include <limits>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;
using content::WavWriter;
using dsound::JournalCall;
using dsound::JournalEntry;

class Sounds : public SoundDevice
{
protected:
    Sounds()
    {
        std::vector<std::int16_t> ramp(100);
        for (std::size_t i = 0; i < ramp.size(); ++i)
            ramp[i] = static_cast<std::int16_t>(100 * (i + 1));
        WriteData("fx.wav", WavWriter::Simple({1, 1, 22050, 16}, content::Samples16(ramp)));
    }

    // The calls a sound made on its device buffer since the last clear,
    // without the reads of its status.
    static std::vector<JournalCall> Calls(Sound* sound)
    {
        std::vector<JournalCall> calls;
        for (const JournalEntry& entry : JournalOf(sound))
            calls.push_back(entry.call);
        return calls;
    }

    static std::uint32_t Cursor(Sound* sound)
    {
        std::uint32_t play = 0;
        DeviceBufferOf(sound)->GetCurrentPosition(&play, nullptr);
        return play;
    }
};

TEST_F(Sounds, PlayRestartsAPlayingSoundAndResumesAPausedOne)
{
    Sound* sound = Create("fx.wav");
    sound->Play();
    Mix(40);
    ClearJournalOf(sound);
    sound->Play();
    EXPECT_EQ(Calls(sound), (std::vector<JournalCall>{JournalCall::Stop, JournalCall::SetCurrentPosition,
                                                      JournalCall::Play}));
    EXPECT_EQ(Cursor(sound), 0u);

    Mix(40);
    sound->Pause();
    EXPECT_EQ(sound->GetState(), Sound::Paused);
    ClearJournalOf(sound);
    sound->Play();
    EXPECT_EQ(Calls(sound), std::vector<JournalCall>{JournalCall::Play});
    EXPECT_EQ(Cursor(sound), 80u);
    EXPECT_EQ(sound->GetState(), Sound::Playing);
}

TEST_F(Sounds, AOneShotSoundStopsAtTheNextUpdate)
{
    Sound* sound = Create("fx.wav");
    sound->Play();
    const std::vector<std::int16_t> mixed = Mix(300);
    EXPECT_EQ(mixed[2 * 99], 10000);
    EXPECT_EQ(mixed[2 * 100], 0);
    EXPECT_EQ(sound->GetState(), Sound::Playing);
    manager->Update(true);
    EXPECT_EQ(sound->GetState(), Sound::Stopped);
}

TEST_F(Sounds, QueuedCommandsRunInOrderOnlyWhenAsked)
{
    Sound* first = Create("fx.wav");
    manager->Play(first, false);
    manager->Stop(first, false);
    EXPECT_EQ(first->GetState(), Sound::Stopped);
    manager->Update(true);
    EXPECT_EQ(first->GetState(), Sound::Stopped);
    EXPECT_EQ(manager->GetCommandCount(), 0u);

    Sound* second = Create("fx.wav");
    manager->Play(second, false);
    manager->Update(false);
    EXPECT_EQ(manager->GetCommandCount(), 1u);
    EXPECT_EQ(second->GetState(), Sound::Stopped);
    manager->Update(true);
    EXPECT_EQ(second->GetState(), Sound::Playing);

    manager->Pause(second, false);
    manager->Update(true);
    EXPECT_EQ(second->GetState(), Sound::Paused);
}

TEST_F(Sounds, LoopTempoAndVolumeReachTheDevice)
{
    Sound* sound = Create("fx.wav");
    sound->Play();
    ClearJournalOf(sound);
    sound->SetLoop(true);
    EXPECT_EQ(JournalOf(sound), (std::vector<JournalEntry>{{JournalCall::Play, dsound::DSBPLAY_LOOPING, 0}}));

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct
    {
        float tempo;
        std::int64_t asked;
        bool refused;
    } tempos[] = {{1.5f, 33075, false}, {0.0f, 0, false}, {nan, 0xFFFFFFFF, true},
                  {-1.0f, 0xFFFFFFFF, true}, {1e30f, 0xFFFFFFFF, true}};
    for (const auto& t : tempos)
    {
        ClearLog();
        ClearJournalOf(sound);
        sound->SetTempo(t.tempo);
        ASSERT_EQ(CallsOf(sound, JournalCall::SetFrequency).size(), 1u);
        EXPECT_EQ(CallsOf(sound, JournalCall::SetFrequency)[0].first, t.asked) << t.tempo;
        EXPECT_EQ(HasError("DirectSound Subsystem (SoundBuffer_DS7::SetTempo): An invalid parameter was passed to "
                           "the returning function."),
                  t.refused)
            << t.tempo;
    }

    sound->SetVolume(0.5f);
    ClearLog();
    sound->SetVolume(2.0f);
    EXPECT_TRUE(HasError("DirectSound Subsystem (SoundBuffer_DS7::SetVolume): An invalid parameter was passed to "
                         "the returning function."));
    std::int32_t attenuation = 0;
    DeviceBufferOf(sound)->GetVolume(&attenuation);
    EXPECT_EQ(attenuation, -693);
    sound->SetVolume(nan);
    DeviceBufferOf(sound)->GetVolume(&attenuation);
    EXPECT_EQ(attenuation, -10000);
}

TEST_F(Sounds, ACopyPlaysLikeItsSource)
{
    Sound* source = Create("fx.wav");
    source->SetLoop(true);
    source->SetVolume(0.5f);
    source->SetTempo(2.0f);
    std::unique_ptr<Sound> copy = system->CloneSound(*source);
    EXPECT_EQ(copy->GetState(), Sound::Stopped);
    EXPECT_TRUE(copy->GetLoop());
    EXPECT_EQ(JournalOf(copy.get()).front().call, JournalCall::Duplicate);
    EXPECT_EQ(CallsOf(copy.get(), JournalCall::SetVolume).back().first, -693);
    EXPECT_EQ(CallsOf(copy.get(), JournalCall::SetFrequency).back().first, 44100);
    // Its buffer belongs to the manager's buffer manager like any other.
    copy.reset();
    EXPECT_EQ(manager->GetBufferManager()->GetBufferCount(), 1u);
}

TEST_F(Sounds, TheRegistryFollowsCreationAndReusesTheLastFreedSlot)
{
    Sound* a = Create("fx.wav");
    Sound* b = Create("fx.wav");
    Sound* c = Create("fx.wav");
    manager->ReleaseSound(nullptr);
    Sound_DS7 foreign(&log, system.get(), manager->GetBufferManager(), "fx.wav");
    manager->ReleaseSound(&foreign);
    EXPECT_EQ(manager->GetSoundCount(), 3u);

    manager->ReleaseSound(a);
    manager->ReleaseSound(b);
    Sound* d = Create("fx.wav");
    Sound* e = Create("fx.wav");
    ASSERT_EQ(manager->GetSoundCount(), 3u);
    EXPECT_EQ(manager->GetSound(0), c);
    EXPECT_EQ(manager->GetSound(1), d);
    EXPECT_EQ(manager->GetSound(2), e);
    EXPECT_EQ(manager->GetSound(3), nullptr);
}

TEST_F(Sounds, AReleasedSoundTakesItsQueuedCommandsWithIt)
{
    Sound* doomed = Create("fx.wav");
    Sound* other = Create("fx.wav");
    manager->Play(doomed, false);
    manager->Play(other, false);
    manager->Stop(doomed, false);
    manager->ReleaseSound(doomed);
    EXPECT_EQ(manager->GetCommandCount(), 1u);
    manager->Update(true);
    EXPECT_EQ(other->GetState(), Sound::Playing);
}

TEST_F(Sounds, ReleaseAllLeavesNothingBehind)
{
    Sound* sound = Create("fx.wav");
    manager->Play(sound, false);
    manager->ReleaseAll();
    EXPECT_EQ(manager->GetSoundCount(), 0u);
    EXPECT_EQ(manager->GetCommandCount(), 0u);
    EXPECT_EQ(manager->GetBufferManager(), nullptr);
    EXPECT_EQ(system->GetSoundBufferManager(), nullptr);
    EXPECT_TRUE(dsound::testing::GetSecondaryBuffers(system->GetDevice()).empty());
    manager->Update(true);

    // What is made afterwards has nothing to play from, and says nothing.
    Sound* late = manager->CreateSound("fx.wav");
    EXPECT_EQ(manager->GetSound(0), late);
    EXPECT_TRUE(late->Play());
    manager->Update(true);
    EXPECT_EQ(late->GetState(), Sound::Stopped);
}

} // namespace
} // namespace corvellan::test
