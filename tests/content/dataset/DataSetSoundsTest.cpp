// The data set's sounds through the game's own sound code: each file of the
// pack made into a sound by the sound manager on the stand-in device, and
// read by its reader for the loops.
#include "engine/core/MessageManager.h"
#include "engine/core/PackFile.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"
#include "tests/content/dataset/DataSetExpectations.h"
#include "tests/support/gtest/SoundDevice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{

using namespace corvellan::test;

class DataSetSoundsTest : public SoundDevice
{
protected:
    // Every sound of the pack, copied under the root where the sound code finds it.
    void CopySounds()
    {
        OrvaneEngine::MessageManager packLog{"Test", false, false, "", ""};
        OrvaneEngine::PackFile pack(&packLog, BuiltPackPath());
        for (const ExpectedSound& sound : ExpectedSounds())
        {
            std::uint32_t size = 0;
            const auto bytes = pack.ReadEntry("data\\" + sound.FileName(), size);
            ASSERT_NE(bytes, nullptr) << sound.FileName();
            WriteData(sound.FileName(), std::string(reinterpret_cast<const char*>(bytes.get()), size));
        }
    }

    // The whole PCM of the file as its reader delivers it.
    std::vector<std::int16_t> Pcm(const ExpectedSound& sound)
    {
        std::unique_ptr<OrvaneEngine::SoundFileReader> reader;
        if (sound.extension == "ogg")
            reader = std::make_unique<OrvaneEngine::SoundFileReaderOGG>(&log, &files, sound.FileName());
        else
            reader = std::make_unique<OrvaneEngine::SoundFileReaderWAV>(&log, &files, sound.FileName());
        std::vector<std::int16_t> samples(reader->GetDataSize() / 2);
        std::uint32_t delivered = 0;
        bool end = false;
        reader->Read(samples.data(), reader->GetDataSize(), &delivered, &end);
        samples.resize(delivered / 2);
        return samples;
    }
};

TEST_F(DataSetSoundsTest, EffectsAreStaticMonoAndMusicStreamedStereoAllAt22050Hz16Bits)
{
    CopySounds();
    for (const ExpectedSound& sound : ExpectedSounds())
    {
        SCOPED_TRACE(sound.FileName());
        OrvaneEngine::Sound* made = Create(sound.FileName());
        ASSERT_NE(made, nullptr);
        const OrvaneEngine::SoundBuffer_DS7* buffer = BufferOf(made);
        ASSERT_NE(buffer, nullptr);
        const bool music = sound.group == "music";
        EXPECT_EQ(buffer->GetSampleRate(), 22050u);
        EXPECT_EQ(buffer->GetBits(), 16u);
        EXPECT_EQ(buffer->GetChannels(), music ? 2u : 1u);
        // Streamed past 1 MiB of PCM: the music, and nothing else.
        EXPECT_EQ(buffer->IsStreamed(), music);
        EXPECT_GT(buffer->GetDataSize(), 0u);
        if (music)
            EXPECT_GT(buffer->GetDataSize(), 1048576u);
        else
            EXPECT_LE(buffer->GetDataSize(), 1048576u);
    }
    EXPECT_EQ(ErrorCount(), 0u);
}

TEST_F(DataSetSoundsTest, EveryLoopingSoundJoinsWithoutAClick)
{
    CopySounds();
    constexpr int MostStep = 32768 * 2 / 100;
    for (const ExpectedSound& sound : ExpectedSounds())
    {
        if (!sound.looping)
            continue;
        SCOPED_TRACE(sound.FileName());
        const std::vector<std::int16_t> samples = Pcm(sound);
        const std::size_t channels = sound.group == "music" ? 2 : 1;
        ASSERT_GE(samples.size(), 2 * channels);
        for (std::size_t c = 0; c < channels; ++c)
        {
            const int first = samples[c];
            const int last = samples[samples.size() - channels + c];
            EXPECT_LE(std::abs(first - last), MostStep) << "channel " << c << ": " << first << " then " << last;
        }
    }
    EXPECT_EQ(ErrorCount(), 0u);
}

} // namespace
