// The device's start-up and shut-down lines, its failures, the per-frame
// refresh, the result texts and the volume scale.
#include "content/WavWriter.h"
#include "engine/core/Error.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "platform/dsound/IDirectSoundBuffer.h"
#include "platform/dsound/testing/DirectSoundHooks.h"
#include "tests/engine/sound/SoundTestSupport.h"

#include <cmath>
#include <limits>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;
using dsound::testing::FailingCall;

TEST(SoundVolume, LinearVolumeBecomesHundredthsOfADecibel)
{
    const struct
    {
        float volume;
        std::int32_t attenuation;
    } cases[] = {{1.0f, 0},          {0.7f, -356},       {0.5f, -693},
                 {0.1f, -2302},      {0.01f, -4605},     {0.0001f, -9210},
                 {0.00009f, -10000}, {0.00005f, -10000}, {0.0f, -10000},
                 {-1.0f, -10000},    {2.0f, 693},        {std::numeric_limits<float>::quiet_NaN(), -10000},
                 {std::numeric_limits<float>::infinity(), 10000}};
    for (const auto& c : cases)
        EXPECT_EQ(SoundSystem_DS7::VolumeToAttenuation(c.volume), c.attenuation) << c.volume;
}

const std::vector<std::string> startLines = {
    "\nInitialization of DirectSound Subsystem:\n", "...Creating a device...\n", "...Set cooperative level...\n",
    "...Create primary buffer...\n", "...Set primary buffer format...\n"};

class SoundSystemStart : public SoundFiles
{
protected:
    ~SoundSystemStart() override { dsound::testing::ClearFailures(); }
};

TEST_F(SoundSystemStart, LogsEveryStepAndReleasesInOrder)
{
    {
        SoundSystem_DS7 system(&log, &files, &timers, nullptr, nullptr, true);
        EXPECT_TRUE(system.Is3D());
        EXPECT_NE(system.GetListener(), nullptr);
    }
    std::vector<std::string> expected = startLines;
    expected.insert(expected.end(), {"...Get the 3D listener from the primary buffer...\n", "\n",
                                     "DirectSound system destroying:\n", "...Releasing 3D listener...\n",
                                     "...Releasing primary buffer...\n", "...Releasing device...\n"});
    EXPECT_EQ(LogTexts(), expected);
    EXPECT_FALSE(dsound::testing::IsAudioStarted());
}

TEST_F(SoundSystemStart, AFailedStepReleasesWhatExistsAndThrowsAnEmptyError)
{
    const struct
    {
        FailingCall call;
        std::size_t linesBefore;
        const char* error;
        std::vector<std::string> released;
    } cases[] = {
        {FailingCall::Device, 2, "Failed to create a device", {}},
        {FailingCall::CooperativeLevel, 3, "Failed to set cooperative level", {"...Releasing device...\n"}},
        {FailingCall::Primary, 4, "Failed to create primary buffer", {"...Releasing device...\n"}},
        {FailingCall::SetFormat,
         5,
         "Failed to set primary buffer format",
         {"...Releasing primary buffer...\n", "...Releasing device...\n"}},
    };
    for (const auto& c : cases)
    {
        ClearLog();
        dsound::testing::FailNextCall(c.call, dsound::DSERR_GENERIC);
        std::string thrown = "nothing thrown";
        try
        {
            SoundSystem_DS7 system(&log, &files, &timers, nullptr, nullptr, false);
        }
        catch (const Error& error)
        {
            thrown = error.GetText();
        }
        EXPECT_EQ(thrown, "") << c.error;
        std::vector<std::string> expected(startLines.begin(), startLines.begin() + c.linesBefore);
        expected.push_back(std::string("\nError: ") + c.error + "!\n\n");
        expected.push_back("DirectSound system destroying:\n");
        expected.insert(expected.end(), c.released.begin(), c.released.end());
        EXPECT_EQ(LogTexts(), expected) << c.error;
        EXPECT_FALSE(dsound::testing::IsAudioStarted()) << c.error;
    }
}

TEST_F(SoundSystemStart, WithoutADriverNothingIsLeftOpen)
{
    ScopedEnvironment driver("SDL_AUDIODRIVER", "nosuchdriver");
    EXPECT_THROW(SoundSystem_DS7(&log, &files, &timers, nullptr, nullptr, false), Error);
    EXPECT_TRUE(HasError("Failed to create a device"));
    EXPECT_FALSE(dsound::testing::IsAudioStarted());
}

TEST_F(SoundSystemStart, AMissingListenerOnlyTurns3DOff)
{
    dsound::testing::FailNextCall(FailingCall::Listener, dsound::DSERR_NOINTERFACE);
    SoundSystem_DS7 system(&log, &files, &timers, nullptr, nullptr, true);
    EXPECT_FALSE(system.Is3D());
    EXPECT_EQ(system.GetListener(), nullptr);
    EXPECT_TRUE(HasError("Failed to get the 3D listener from the primary buffer"));
    EXPECT_EQ(LogTexts().back(), "\n");

    // Buffers made afterwards have no 3D control either.
    dsound::testing::SetJournalEnabled(true);
    WriteData("mono.wav", content::WavWriter::Simple({1, 1, 22050, 16}, std::string(64, '\1')));
    std::unique_ptr<SoundBuffer> buffer = system.CreateSoundBuffer("mono.wav");
    auto* typed = static_cast<SoundBuffer_DS7*>(buffer.get());
    EXPECT_EQ(dsound::testing::GetJournal(typed->GetDeviceBuffer()).front().first, 0xA2);
    EXPECT_EQ(typed->Get3DBuffer(), nullptr);
    dsound::testing::SetJournalEnabled(false);
}

class SoundSystemRunning : public SoundDevice
{
};

TEST_F(SoundSystemRunning, ResultTextsCoverTheTableAndAnyOtherCode)
{
    const struct
    {
        std::uint32_t code;
        const char* text;
    } cases[] = {
        {0x80070005, "The request failed because access was denied."},
        {0x8878000A, "The request failed because resources, such as a priority level, were already in use by "
                     "another caller."},
        {0x88780082, "The object is already initialized."},
        {0x88780064, "The specified wave format is not supported."},
        {0x88780096, "The buffer memory has been lost and must be restored."},
        {0x8878001E, "The buffer control (volume, pan, and so on) requested by the caller is not available."},
        {0x80004005, "An undetermined error occurred inside the DirectSound subsystem."},
        {0x88780032, "This function is not valid for the current state of this object."},
        {0x80070057, "An invalid parameter was passed to the returning function."},
        {0x80040110, "The object does not support aggregation."},
        {0x88780078, "No sound driver is available for use."},
        {0x80004002, "The requested COM interface is not available."},
        {0x887800A0, "Another application has a higher priority level, preventing this call from succeeding."},
        {0x8007000E, "The DirectSound subsystem could not allocate sufficient memory to complete the caller's "
                     "request."},
        {0x88780046, "The caller does not have the priority level required for the function to succeed."},
        {0x887800AA, "The IDirectSound::Initialize method has not been called or has not been called successfully "
                     "before other methods were called."},
        {0x80004001, "The function called is not supported at this time."},
        {0x88780001, "Unknown error (Code: -2005401599)"},
        {1, "Unknown error (Code: 1)"},
    };
    for (const auto& c : cases)
    {
        ClearLog();
        system->CheckResult("Where::Ever", static_cast<dsound::HRESULT>(c.code));
        EXPECT_EQ(LogTexts(), std::vector<std::string>{"\nError: DirectSound Subsystem (Where::Ever): " +
                                                       std::string(c.text) + "!\n\n"});
    }
    ClearLog();
    system->CheckResult("Where::Ever", dsound::DS_OK);
    EXPECT_TRUE(LogTexts().empty());
}

TEST_F(SoundSystemRunning, RefreshRestoresALostPrimaryOnlyWhenNothingPlays)
{
    dsound::IDirectSoundBuffer* primary = system->GetPrimaryBuffer();
    const auto status = [&] {
        std::uint32_t value = 0;
        primary->GetStatus(&value);
        return value;
    };
    dsound::testing::MarkLost(primary);
    ASSERT_EQ(status(), dsound::DSBSTATUS_BUFFERLOST);
    system->Refresh();
    EXPECT_EQ(status(), 0u);

    WriteData("loop.wav", content::WavWriter::Simple({1, 1, 22050, 16}, std::string(400, '\1')));
    Sound* sound = Create("loop.wav");
    sound->SetLoop(true);
    sound->Play();
    dsound::testing::MarkLost(primary);
    ASSERT_EQ(status(), dsound::DSBSTATUS_BUFFERLOST | dsound::DSBSTATUS_PLAYING);
    system->Refresh();
    EXPECT_EQ(status(), dsound::DSBSTATUS_BUFFERLOST | dsound::DSBSTATUS_PLAYING);
    EXPECT_EQ(ErrorCount(), 0u);
}

class SoundSystem3D : public SoundDevice
{
protected:
    SoundSystem3D() : SoundDevice(true) {}
};

TEST_F(SoundSystem3D, MonoBuffersGet3DAndPositionsWaitForTheRefresh)
{
    const std::vector<std::int16_t> level(64, 10000);
    WriteData("mono.wav", content::WavWriter::Simple({1, 1, 22050, 16}, content::Samples16(level)));
    WriteData("stereo.wav", content::WavWriter::Simple({1, 2, 22050, 16}, content::Samples16(level)));
    Sound* mono = Create("mono.wav");
    Sound* stereo = Create("stereo.wav");
    EXPECT_EQ(JournalOf(mono).front().first, 0xB2);
    EXPECT_EQ(JournalOf(stereo).front().first, 0xA2);
    ASSERT_NE(BufferOf(mono)->Get3DBuffer(), nullptr);
    EXPECT_EQ(BufferOf(stereo)->Get3DBuffer(), nullptr);
    manager->ReleaseSound(stereo);

    mono->SetLoop(true);
    mono->Play();
    mono->SetPosition(Vector3(0.0f, 0.0f, 2.0f));
    const auto left = [&] { return Mix(4)[0]; };
    EXPECT_EQ(left(), 10000); // still at the listener until the commit
    system->Refresh();
    EXPECT_NEAR(left(), 5000, 1);
    system->SetListenerPosition(Vector3(0.0f, 0.0f, 1.0f));
    EXPECT_NEAR(left(), 5000, 1);
    system->Refresh();
    EXPECT_EQ(left(), 10000);
}

} // namespace
} // namespace corvellan::test
