// Static buffers shared between voices, and streams refilled through the
// ring as the device plays (in each frame, what the millisecond clock moved
// by hand holds).
#include "content/OggWriter.h"
#include "content/WavWriter.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "platform/dsound/IDirectSoundBuffer.h"
#include "platform/dsound/testing/DirectSoundHooks.h"
#include "tests/engine/sound/SoundTestSupport.h"

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;
using content::WavWriter;
using dsound::JournalCall;

constexpr std::uint32_t chunk = SoundBuffer::chunkSize;
constexpr std::uint32_t ring = SoundBuffer::ringSize;

class SoundBuffers : public SoundDevice
{
protected:
    struct Write
    {
        std::uint32_t chunk;
        std::uint32_t before; // clock time of the update before, ms since play
        std::uint32_t at;     // clock time of the update that wrote it
    };

    // A 22050 Hz 16-bit stereo file (88200 bytes a second) of that many bytes.
    std::string Stream(const std::string& file, std::uint32_t bytes)
    {
        const std::string wav = CountingStereo16(bytes / 4);
        WriteData(file, wav);
        return wav.substr(44);
    }

    Sound* PlayStream(const std::string& file, bool loop = false)
    {
        Sound* sound = Create(file);
        sound->SetLoop(loop);
        sound->Play();
        clock = 0;
        return sound;
    }

    // Frames at 60 per second for that long; every chunk written, in order.
    std::vector<Write> Run(Sound* sound, std::uint32_t milliseconds)
    {
        static const std::uint32_t steps[] = {17, 17, 16};
        std::vector<Write> writes;
        for (std::uint32_t spent = 0, i = 0; spent < milliseconds; ++i)
        {
            const std::uint32_t step = steps[i % 3];
            ClearJournalOf(sound);
            Frame(step);
            spent += step;
            clock += step;
            for (const dsound::JournalEntry& lock : CallsOf(sound, JournalCall::Lock))
                writes.push_back({static_cast<std::uint32_t>(lock.first / chunk), clock - step, clock});
        }
        return writes;
    }

    // Runs frames until the device buffer is stopped by the clock; the clock
    // time of that update, or 0.
    std::uint32_t RunUntilStopped(Sound* sound, std::uint32_t limit)
    {
        while (clock < limit)
        {
            ClearJournalOf(sound);
            Frame(20);
            clock += 20;
            if (!CallsOf(sound, JournalCall::Stop).empty())
                return clock;
        }
        return 0;
    }

    // Whether an update between `before` and `at` ms first took the estimate
    // (bytes per ms) past `bytes`, within the clock's rounding.
    static bool CrossedAt(double bytesPerMs, std::uint64_t bytes, const Write& write)
    {
        const double tolerance = 400.0;
        return write.before * bytesPerMs <= static_cast<double>(bytes) + tolerance &&
               write.at * bytesPerMs > static_cast<double>(bytes) - tolerance;
    }

    std::uint32_t clock = 0;
};

TEST_F(SoundBuffers, OneRingOfDataIsStaticOneByteMoreStreams)
{
    WriteData("ring.wav", WavWriter::Simple({1, 1, 22050, 8}, std::string(ring, '\x40')));
    WriteData("more.wav", WavWriter::Simple({1, 1, 22050, 8}, std::string(ring + 1, '\x40')));
    Sound* ringSound = Create("ring.wav");
    Sound* more = Create("more.wav");
    EXPECT_FALSE(BufferOf(ringSound)->IsStreamed());
    EXPECT_TRUE(BufferOf(more)->IsStreamed());
    EXPECT_EQ(JournalOf(ringSound).front(), (dsound::JournalEntry{JournalCall::Create, 0xA2, ring}));
    EXPECT_EQ(JournalOf(more).front(), (dsound::JournalEntry{JournalCall::Create, 0xA0, ring}));
    EXPECT_EQ(DeviceBytes(ringSound, ring - 4, 4), std::vector<std::uint8_t>(4, 0x40));
}

TEST_F(SoundBuffers, VoicesOfAShortFileShareOneCopy)
{
    WriteData("short.wav", WavWriter::Simple({1, 1, 22050, 16}, std::string(2000, '\x11')));
    Stream("long.wav", ring + 4000);
    const auto first = [&](Sound* sound) { return JournalOf(sound).front().call; };

    Sound* a = Create("short.wav");
    Sound* b = Create("SHORT.WAV");
    EXPECT_EQ(first(a), JournalCall::Create);
    EXPECT_EQ(first(b), JournalCall::Duplicate);
    manager->ReleaseSound(a);
    Sound* c = Create("short.wav");
    EXPECT_EQ(first(c), JournalCall::Duplicate);
    EXPECT_EQ(DeviceBytes(c, 0, 4), std::vector<std::uint8_t>(4, 0x11));
    manager->ReleaseSound(b);
    manager->ReleaseSound(c);
    Sound* d = Create("short.wav");
    EXPECT_EQ(first(d), JournalCall::Create);

    Sound* long1 = Create("long.wav");
    Sound* long2 = Create("long.wav");
    EXPECT_EQ(JournalOf(long1).front(), (dsound::JournalEntry{JournalCall::Create, 0xA0, ring}));
    EXPECT_EQ(JournalOf(long2).front(), (dsound::JournalEntry{JournalCall::Create, 0xA0, ring}));
    EXPECT_NE(BufferOf(long1)->GetReader(), BufferOf(long2)->GetReader());
}

TEST_F(SoundBuffers, ARefusedVoiceIsSilentAndNeverDuplicated)
{
    WriteData("fx.wav", WavWriter::Simple({1, 1, 22050, 16}, std::string(2000, '\x11')));
    dsound::testing::FailNextCall(dsound::testing::FailingCall::CreateBuffer, dsound::DSERR_OUTOFMEMORY);
    Sound* refused = Create("fx.wav");
    EXPECT_TRUE(HasError("Sound System: DirectSound buffers overflow"));
    EXPECT_EQ(DeviceBufferOf(refused), nullptr);
    EXPECT_TRUE(refused->Play());
    EXPECT_EQ(refused->GetState(), Sound::Playing);
    manager->Update(true);
    EXPECT_EQ(refused->GetState(), Sound::Stopped);

    // Nothing to share: the next voice of that file is made anew.
    Sound* next = Create("fx.wav");
    ASSERT_NE(DeviceBufferOf(next), nullptr);
    EXPECT_EQ(JournalOf(next).front().call, JournalCall::Create);
    EXPECT_EQ(DeviceBytes(next, 0, 4), std::vector<std::uint8_t>(4, 0x11));

    // A refused duplicate, and a format the device does not take.
    manager->ReleaseSound(refused);
    ClearLog();
    dsound::testing::FailNextCall(dsound::testing::FailingCall::DuplicateBuffer, dsound::DSERR_OUTOFMEMORY);
    EXPECT_EQ(DeviceBufferOf(Create("fx.wav")), nullptr);
    std::vector<std::int16_t> three(3 * 2000, 1000);
    WriteData("three.ogg", content::EncodeOggVorbis(three, 3, 22050));
    EXPECT_EQ(DeviceBufferOf(Create("three.ogg")), nullptr);
    EXPECT_EQ(ErrorCount(), 2u);
}

TEST_F(SoundBuffers, ChunksAreRefilledTwoChunksBehindThePlayPosition)
{
    Stream("music.wav", 32 * 88200);
    Sound* sound = PlayStream("music.wav");
    const std::vector<Write> writes = Run(sound, 30000);
    // Refill j is of chunk j mod 32, when the estimate passes (j + 3) chunks:
    // for the n-th refill of chunk k that is (n - 1) rings + (k + 3) chunks.
    ASSERT_EQ(writes.size(), 2646000u / chunk - 2);
    for (std::size_t j = 0; j < writes.size(); ++j)
    {
        EXPECT_EQ(writes[j].chunk, j % 32) << j;
        EXPECT_TRUE(CrossedAt(88.2, (j + 3) * chunk, writes[j])) << j << " at " << writes[j].at;
    }
    EXPECT_EQ(writes[0].chunk, 0u);
    EXPECT_TRUE(CrossedAt(88.2, 98304, writes[0]));
}

TEST_F(SoundBuffers, OneLongFrameRefillsEveryChunkPassed)
{
    Stream("music.wav", 20 * 88200);
    Sound* sound = PlayStream("music.wav");
    ClearJournalOf(sound);
    Frame(2000);
    std::vector<std::uint32_t> chunks;
    for (const dsound::JournalEntry& lock : CallsOf(sound, JournalCall::Lock))
        chunks.push_back(static_cast<std::uint32_t>(lock.first / chunk));
    // 176400 bytes: chunks 0 to 4 lie behind; chunk 5 is being played.
    EXPECT_EQ(chunks, (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));
}

TEST_F(SoundBuffers, AOneShotStreamStopsAfterItsDataAndAChunkOfSilence)
{
    const std::uint32_t size = 2621440; // 2.5 MiB
    Stream("music.wav", size);
    Sound* sound = PlayStream("music.wav");
    Write stop{0, 0, RunUntilStopped(sound, 40000)};
    stop.before = stop.at - 20;
    EXPECT_TRUE(CrossedAt(88.2, size + chunk, stop)) << stop.at;
    EXPECT_TRUE(BufferOf(sound)->HasEnded());
    EXPECT_EQ(sound->GetState(), Sound::Playing);
    Frame(20);
    EXPECT_EQ(sound->GetState(), Sound::Stopped);
}

TEST_F(SoundBuffers, PlayRightAfterTheEndStartsOver)
{
    const std::string data = Stream("music.wav", ring + 100000);
    Sound* sound = PlayStream("music.wav");
    ASSERT_NE(RunUntilStopped(sound, 20000), 0u);
    ASSERT_EQ(sound->GetState(), Sound::Playing);
    ClearJournalOf(sound);
    sound->Play();
    EXPECT_EQ(CallsOf(sound, JournalCall::Lock).size(), 32u);
    EXPECT_TRUE(BufferOf(sound)->IsPlaying());
    const std::vector<std::uint8_t> start = DeviceBytes(sound, 0, 64);
    EXPECT_EQ(std::string(start.begin(), start.end()), data.substr(0, 64));
    Frame(20);
    EXPECT_EQ(sound->GetState(), Sound::Playing);
}

TEST_F(SoundBuffers, AShortReadEndsTheStreamWhereTheDataEnds)
{
    // Declares nearly 2 GiB, holds 2 MiB.
    const std::string data = CountingStereo16(2097152 / 4).substr(44);
    WriteData("liar.wav", WavWriter().Format({1, 2, 22050, 16}).Data(data, 0x7FFFFFF0u).Bytes());
    Sound* sound = PlayStream("liar.wav");
    Write stop{0, 0, RunUntilStopped(sound, 60000)};
    stop.before = stop.at - 20;
    EXPECT_TRUE(CrossedAt(88.2, 2097152 + chunk, stop)) << stop.at;
}

TEST_F(SoundBuffers, TheRingEndsInSilenceOrJoinsTheStartWhenLooping)
{
    const struct
    {
        std::uint16_t channels;
        std::uint16_t bits;
        bool loop;
        char silence;
    } cases[] = {{1, 8, false, '\x80'}, {2, 16, false, '\0'}, {2, 16, true, '\0'}};
    for (const auto& c : cases)
    {
        std::string data(ring + 1000, '\0');
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = static_cast<char>(1 + i % 251);
        WriteData("tail.wav", WavWriter::Simple({1, c.channels, 22050, c.bits}, data));
        Sound* sound = PlayStream("tail.wav", c.loop);
        const double rate = 22050.0 * c.channels * c.bits / 8 / 1000;
        Run(sound, static_cast<std::uint32_t>(98304 / rate) + 100);
        const std::vector<std::uint8_t> bytes = DeviceBytes(sound, 0, chunk);
        const std::string after = c.loop ? data.substr(0, chunk - 1000) : std::string(chunk - 1000, c.silence);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), data.substr(ring, 1000) + after) << c.bits << c.loop;
        manager->ReleaseSound(sound);
    }
}

TEST_F(SoundBuffers, APausedStreamHoldsItsPlaceAndAStoppedOneStartsOver)
{
    const std::string data = Stream("music.wav", 20 * 88200);
    Sound* sound = PlayStream("music.wav");
    EXPECT_TRUE(Run(sound, 500).empty());
    sound->Pause();
    EXPECT_TRUE(Run(sound, 1000).empty());
    sound->Play();
    clock -= 1000;
    const std::vector<Write> writes = Run(sound, 800);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].chunk, 0u);
    EXPECT_TRUE(CrossedAt(88.2, 98304, writes[0])) << writes[0].at;

    ClearJournalOf(sound);
    sound->Stop();
    EXPECT_EQ(CallsOf(sound, JournalCall::SetCurrentPosition).front().first, 0);
    // Pausing a stopped stream holds nothing: the next play starts over.
    sound->Pause();
    sound->Play();
    const std::vector<dsound::JournalEntry> locks = CallsOf(sound, JournalCall::Lock);
    ASSERT_EQ(locks.size(), 32u);
    for (std::uint32_t k = 0; k < 32; ++k)
        EXPECT_EQ(locks[k], (dsound::JournalEntry{JournalCall::Lock, k * chunk, chunk}));
    const std::vector<std::uint8_t> start = DeviceBytes(sound, 0, 64);
    EXPECT_EQ(std::string(start.begin(), start.end()), data.substr(0, 64));
}

TEST_F(SoundBuffers, TempoMovesTheStreamClock)
{
    const std::uint32_t size = 2621440;
    Stream("music.wav", size);
    const struct
    {
        std::uint32_t atTempoOne; // ms played at tempo 1 before tempo 2
        double refillAt;          // ms of the refill of chunk 0
    } cases[] = {{0, 98304 / 176.4}, {500, 500 + (98304 - 44100) / 176.4}};
    for (const auto& c : cases)
    {
        Sound* sound = Create("music.wav");
        if (c.atTempoOne == 0)
            sound->SetTempo(2.0f);
        sound->Play();
        clock = 0;
        std::vector<Write> writes = Run(sound, c.atTempoOne);
        sound->SetTempo(2.0f);
        EXPECT_EQ(CallsOf(sound, JournalCall::SetFrequency).back().first, 44100);
        writes = Run(sound, 1200);
        ASSERT_FALSE(writes.empty());
        EXPECT_EQ(writes[0].chunk, 0u);
        EXPECT_LE(writes[0].before, c.refillAt + 3);
        EXPECT_GT(writes[0].at, c.refillAt - 3);
        manager->ReleaseSound(sound);
    }

    Sound* sound = Create("music.wav");
    sound->SetTempo(2.0f);
    sound->Play();
    clock = 0;
    Write stop{0, 0, RunUntilStopped(sound, 30000)};
    stop.before = stop.at - 20;
    EXPECT_TRUE(CrossedAt(176.4, size + chunk, stop)) << stop.at;
}

TEST_F(SoundBuffers, LostMemoryComesBack)
{
    const std::string effect(2000, '\x23');
    WriteData("fx.wav", WavWriter::Simple({1, 1, 22050, 16}, effect));
    Sound* fx = Create("fx.wav");
    dsound::testing::MarkLost(DeviceBufferOf(fx));
    dsound::testing::FailNextCall(dsound::testing::FailingCall::Restore, dsound::DSERR_GENERIC);
    manager->Update(true);
    EXPECT_TRUE(BufferOf(fx)->IsBufferLost());
    manager->Update(true);
    EXPECT_FALSE(BufferOf(fx)->IsBufferLost());
    const std::vector<std::uint8_t> bytes = DeviceBytes(fx, 0, 2000);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), effect);

    const std::string data = Stream("music.wav", 20 * 88200);
    for (const std::uint32_t state : {Sound::Playing, Sound::Paused})
    {
        Sound* music = PlayStream("music.wav");
        Run(music, 3000);
        if (state == Sound::Paused)
            music->Pause();
        dsound::testing::MarkLost(DeviceBufferOf(music));
        ClearJournalOf(music);
        manager->Update(true);
        EXPECT_EQ(music->GetState(), state);
        EXPECT_EQ(BufferOf(music)->IsPlaying(), state == Sound::Playing);
        EXPECT_EQ(CallsOf(music, JournalCall::Lock).size(), 32u);
        const std::vector<std::uint8_t> start = DeviceBytes(music, 0, 64);
        EXPECT_EQ(std::string(start.begin(), start.end()), data.substr(0, 64));
        manager->ReleaseSound(music);
    }
}

} // namespace
} // namespace corvellan::test
