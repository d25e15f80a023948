// What the main thread keeps doing for the sound while the worker loads:
// streams refill, queued requests wait for the next frame.
#include "content/WavWriter.h"
#include "engine/core/Engine.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "engine/sound/Sound_DS7.h"
#include "framework/DataKeeper.h"
#include "framework/GUILoadingWindowBase.h"
#include "platform/dsound/testing/DirectSoundHooks.h"
#include "platform/win32/testing/PumpHooks.h"
#include "platform/win32/testing/SleepHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <thread>

namespace GameFramework
{
namespace
{

namespace wt = win32::testing;

// A keeper with nothing to load that holds the worker for a number of the
// loading loop's naps.
class WaitingKeeper : public DataKeeper
{
public:
    WaitingKeeper(OrvaneEngine::Engine* engineIn, std::size_t napsIn)
        : DataKeeper(engineIn, "en", true), naps(napsIn)
    {
    }

    void LoadAll() override
    {
        while (wt::GetSleepCalls().size() < naps)
            std::this_thread::yield();
        DataKeeper::LoadAll();
    }

private:
    std::size_t naps;
};

class LoadingSoundTest : public corvellan::test::EngineTestFixture
{
protected:
    LoadingSoundTest() : EngineTestFixture(Options{true}) {}

    void SetUp() override
    {
        // More than a MiB of samples: the track is streamed.
        const std::string bytes = corvellan::content::WavWriter::Simple(
            corvellan::content::WavFormat{},
            corvellan::content::Samples16(std::vector<std::int16_t>(600000, 1000)));
        ASSERT_TRUE(corvellan::test::WriteFileBytes(folder.Join("data/music/long.wav"), bytes));
        ASSERT_TRUE(corvellan::test::WriteFileBytes(
            folder.Join("data/sfx/click.wav"),
            corvellan::content::WavWriter::Simple(corvellan::content::WavFormat{},
                                                  corvellan::content::Samples16(std::vector<std::int16_t>(100, 1)))));
        Start();
        ASSERT_NE(engine->soundSystem, nullptr);
        dsound::testing::SetDevicePaused(Device(), true);
        dsound::testing::SetJournalEnabled(true);
        wt::ResetSleep();
        wt::SetSleepRecording(true);
    }

    void TearDown() override
    {
        wt::ResetPumpHook();
        wt::ResetSleep();
        dsound::testing::SetJournalEnabled(false);
    }

    dsound::IDirectSound* Device() const
    {
        return static_cast<OrvaneEngine::SoundSystem_DS7*>(engine->soundSystem.get())->GetDevice();
    }

    static std::size_t Locks(OrvaneEngine::Sound* sound)
    {
        dsound::IDirectSoundBuffer* buffer =
            static_cast<OrvaneEngine::Sound_DS7*>(sound)->GetTypedBuffer()->GetDeviceBuffer();
        std::size_t count = 0;
        for (const dsound::JournalEntry& entry : dsound::testing::GetJournal(buffer))
            count += entry.call == dsound::JournalCall::Lock ? 1 : 0;
        return count;
    }
};

TEST_F(LoadingSoundTest, StreamsRefillDuringTheLoadWhileQueuedRequestsWait)
{
    OrvaneEngine::SoundManager& sounds = *engine->soundManager;
    OrvaneEngine::Sound* music = sounds.CreateSound("music\\long.wav");
    OrvaneEngine::Sound* click = sounds.CreateSound("sfx\\click.wav");
    ASSERT_TRUE(static_cast<OrvaneEngine::Sound_DS7*>(music)->GetTypedBuffer()->IsStreamed());
    sounds.Play(music, true);
    sounds.Update(true);
    sounds.Play(click, false);
    const std::size_t locksBefore = Locks(music);
    // The device plays half a second between two passes of the loop.
    wt::SetPumpHook([this] { dsound::testing::Mix(Device(), 11025); });

    WaitingKeeper keeper(engine.get(), 8);
    GUILoadingWindowBase loading(engine.get());
    loading.Show(&keeper);
    loading.RunLoading();

    EXPECT_GT(Locks(music), locksBefore) << "the stream was refilled on the main thread";
    EXPECT_EQ(sounds.GetCommandCount(), 1u) << "the queued Play waits for the next frame";
    EXPECT_NE(click->GetState(), OrvaneEngine::Sound::Playing);
    sounds.Update(true);
    EXPECT_EQ(sounds.GetCommandCount(), 0u);
    EXPECT_EQ(click->GetState(), OrvaneEngine::Sound::Playing);
}

} // namespace
} // namespace GameFramework
