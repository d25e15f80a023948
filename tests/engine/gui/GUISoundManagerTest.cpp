// GUI sound events over a real sound manager on a paused device, with the
// frame timer driven by the fake millisecond clock.
#include "content/WavWriter.h"
#include "engine/core/Timer.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/sound/Sound.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/gtest/SoundDevice.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;
using dsound::JournalCall;

constexpr std::uint32_t Hover = 0;
constexpr std::uint32_t Click = 1;
// No sound is ever registered for it.
constexpr std::uint32_t Silent = 7;

class GUISounds : public SoundDevice
{
protected:
    GUISounds()
    {
        const std::string wav = content::WavWriter::Simple({1, 1, 22050, 16}, content::Samples16({100, 200, 300}));
        for (const char* name : {"button_select_0", "button_select_1", "button_click"})
            WriteData(std::string(name) + ".wav", wav);
        // The frame timer reads 0 now and moves only with the fake clock.
        win32::testing::SetFakeMilliseconds(start);
        timers.GetFrameTimer()->Reset(0.0f);
    }

    // Makes the frame timer read the given milliseconds.
    static void At(std::uint32_t milliseconds) { win32::testing::SetFakeMilliseconds(start + milliseconds); }

    void AddGameSounds(GUISoundManager& sounds)
    {
        sounds.AddSound(Hover, "button_select_0.wav");
        sounds.AddSound(Hover, "button_select_1.wav");
        sounds.AddSound(Click, "button_click.wav");
    }

    // The sounds whose device buffers were started since the last clear.
    static std::vector<std::string> Started(const std::vector<Sound*>& sounds)
    {
        std::vector<std::string> started;
        for (Sound* sound : sounds)
        {
            if (!CallsOf(sound, JournalCall::Play).empty())
                started.push_back(sound->GetName());
        }
        return started;
    }

    static constexpr std::uint32_t start = 200000;
};

TEST_F(GUISounds, PlaysTheLeastRecentSoundOfAnEventAndDropsRepeatsWithinTheGuard)
{
    GUISoundManager sounds(&timers, manager.get());
    AddGameSounds(sounds);
    const std::vector<Sound*> all = {manager->GetSound(0), manager->GetSound(1), manager->GetSound(2)};

    const struct
    {
        std::uint32_t milliseconds;
        std::uint32_t event;
        const char* played; // null: dropped
    } steps[] = {
        // Right at start-up every last play (0) is within the guard.
        {0, Hover, nullptr},
        {9, Click, nullptr},
        // Both hover sounds last played at 0: the first added wins.
        {20, Hover, "button_select_0.wav"},
        // A second button entered in the same moment.
        {25, Hover, nullptr},
        // The guard is per event.
        {25, Click, "button_click.wav"},
        {29, Hover, nullptr},
        {40, Hover, "button_select_1.wav"},
        // The least recent sound (20) is clear of the guard, but the one
        // played at 40 is not.
        {45, Hover, nullptr},
        {60, Hover, "button_select_0.wav"},
        {80, Hover, "button_select_1.wav"},
        {85, Silent, nullptr},
        {2000, Hover, "button_select_0.wav"},
        // A timer set back is far from every last play, not before it.
        {500, Hover, "button_select_1.wav"},
        {505, Hover, nullptr},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(std::to_string(step.milliseconds) + " ms, event " + std::to_string(step.event));
        for (Sound* sound : all)
            ClearJournalOf(sound);
        At(step.milliseconds);
        sounds.Play(step.event);
        ASSERT_EQ(manager->GetCommandCount(), step.played ? 1u : 0u);
        // Queued, not played yet.
        EXPECT_TRUE(Started(all).empty());
        manager->Update(true);
        EXPECT_EQ(Started(all), step.played ? std::vector<std::string>{step.played} : std::vector<std::string>{});
    }
}

TEST_F(GUISounds, AQueuedPlayStartsTheSoundAtTheNextUpdate)
{
    GUISoundManager sounds(&timers, manager.get());
    AddGameSounds(sounds);
    Sound* click = manager->GetSound(2);
    EXPECT_FLOAT_EQ(click->GetVolume(), 1.0f);

    At(100);
    sounds.Play(Click);
    EXPECT_EQ(click->GetState(), Sound::Stopped);
    manager->Update(false);
    EXPECT_EQ(click->GetState(), Sound::Stopped);
    manager->Update(true);
    EXPECT_EQ(click->GetState(), Sound::Playing);
    EXPECT_EQ(CallsOf(click, JournalCall::Play).size(), 1u);
}

TEST_F(GUISounds, DestructionReleasesEverySoundAndItsQueuedPlay)
{
    Sound* other = Create("button_click.wav");
    auto sounds = std::make_unique<GUISoundManager>(&timers, manager.get());
    AddGameSounds(*sounds);
    ASSERT_EQ(manager->GetSoundCount(), 4u);
    At(100);
    sounds->Play(Hover);
    ASSERT_EQ(manager->GetCommandCount(), 1u);

    sounds.reset();
    EXPECT_EQ(manager->GetSoundCount(), 1u);
    EXPECT_EQ(manager->GetSound(0), other);
    EXPECT_EQ(manager->GetCommandCount(), 0u);
    manager->Update(true);
}

TEST_F(GUISounds, WithoutASoundManagerNothingHappens)
{
    GUISoundManager sounds(&timers, nullptr);
    AddGameSounds(sounds);
    EXPECT_TRUE(sounds.GetEvents().empty());
    At(100);
    sounds.Play(Hover);
    sounds.Play(Silent);
    EXPECT_EQ(manager->GetSoundCount(), 0u);
    EXPECT_EQ(manager->GetCommandCount(), 0u);
}

} // namespace
} // namespace corvellan::test
