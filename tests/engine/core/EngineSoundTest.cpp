#include "content/WavWriter.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

using namespace OrvaneEngine;

namespace
{

class EngineSoundTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override { settings.videoMode = "640x480x32"; }

    std::string Page() const { return LogText(); }
};

TEST_F(EngineSoundTest, WithoutADeviceTheEngineRunsSilent)
{
    corvellan::test::ScopedEnvironment driver("SDL_AUDIODRIVER", "nosuchdriver");
    {
        Engine engine(settings);
        EXPECT_EQ(engine.soundSystem, nullptr);
        EXPECT_EQ(engine.soundManager, nullptr);
        for (int frame = 0; frame < 10; ++frame)
        {
            engine.Update();
            engine.Frame(0);
        }
    }
    const std::string page = Page();
    const auto creating = page.find("...Creating a device...");
    const auto failed = page.find("Error: Failed to create a device!");
    ASSERT_NE(creating, std::string::npos);
    ASSERT_NE(failed, std::string::npos);
    EXPECT_LT(creating, failed);
}

TEST_F(EngineSoundTest, QueuedCommandsRunAtTheEndOfTheFrame)
{
    corvellan::content::WavFormat format;
    const std::string samples(22050 * 2, '\x10');
    ASSERT_TRUE(corvellan::test::WriteFileBytes(folder.Join("data/audio/tone.wav"),
                                                corvellan::content::WavWriter::Simple(format, samples)));
    Engine engine(settings);
    ASSERT_NE(engine.soundManager, nullptr);
    Sound* sound = engine.soundManager->CreateSound("audio\\tone.wav");
    ASSERT_NE(sound, nullptr);
    const std::uint32_t before = sound->GetState();
    engine.soundManager->Play(sound, false);
    EXPECT_EQ(sound->GetState(), before) << "a deferred request waits for the frame";
    engine.Update();
    engine.Frame(0);
    EXPECT_EQ(sound->GetState(), 0u) << "playing";
}

TEST_F(EngineSoundTest, SoundIsTornDownBeforeTheInputDevices)
{
    {
        Engine engine(settings);
        ASSERT_NE(engine.soundSystem, nullptr);
    }
    const std::string page = Page();
    const auto sound = page.find("DirectSound system destroying:");
    const auto input = page.find("DirectInput devices destroying:");
    ASSERT_NE(sound, std::string::npos);
    ASSERT_NE(input, std::string::npos);
    EXPECT_LT(sound, input);
}

} // namespace
