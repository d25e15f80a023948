// The WAV, Ogg Vorbis and silent readers, and how a buffer picks one by name.
#include "content/OggWriter.h"
#include "content/WavWriter.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/sound/OggFileSource.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundFileReaderEMP.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"
#include "tests/engine/sound/SoundTestSupport.h"
#include "tests/support/FileErrorText.h"

#include <cmath>
#include <cstdio>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;
using content::WavWriter;

const std::string name = "audio\\t\\x.wav";
const std::string quoted = "Failed to load \"data\\audio\\t\\x.wav\" sound file - ";

// Everything a reader delivers, in pieces of the given size, until it reports
// its end (or stalls).
std::string ReadAll(SoundFileReader& reader, std::uint32_t piece)
{
    std::string all;
    std::string bytes(piece, '\0');
    for (int guard = 0; guard < 100000; ++guard)
    {
        std::uint32_t delivered = 0;
        bool end = false;
        reader.Read(bytes.data(), piece, &delivered, &end);
        all.append(bytes.data(), delivered);
        if (end || delivered == 0)
            break;
    }
    return all;
}

std::string Bytes(std::size_t count, int seed)
{
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>((i * 37 + static_cast<std::size_t>(seed)) & 0xFF);
    return bytes;
}

class WavReader : public SoundFiles
{
protected:
    // The reader's refusal text, or "" when the file is accepted.
    std::string Refusal(const std::string& file)
    {
        WriteData(name, file);
        return FileErrorText([&] { SoundFileReaderWAV reader(&log, &files, name); }, "");
    }
};

TEST_F(WavReader, ReadsPcmPastOtherAndOddSizedChunks)
{
    const std::string data = Bytes(1000, 3);
    const std::string cases[] = {
        WavWriter()
            .Chunk("LIST", "INFOISFT" + content::Little32(3) + "abc")
            .Format({1, 2, 22050, 16})
            .Data(data)
            .Bytes(),
        WavWriter().Format({1, 2, 22050, 16}).Chunk("odd ", "12345").Data(data).Bytes(),
        WavWriter().Format({1, 2, 22050, 16}, 18).Chunk("LIST", "x").Data(data).Bytes(),
    };
    for (const std::string& file : cases)
    {
        WriteData(name, file);
        SoundFileReaderWAV reader(&log, &files, name);
        EXPECT_EQ(reader.GetChannels(), 2u);
        EXPECT_EQ(reader.GetBits(), 16u);
        EXPECT_EQ(reader.GetSampleRate(), 22050u);
        EXPECT_EQ(reader.GetDataSize(), 1000u);
        EXPECT_EQ(ReadAll(reader, 96), data);
        reader.Rewind();
        EXPECT_EQ(ReadAll(reader, 4096), data);
    }
}

TEST_F(WavReader, RefusesWhatItCannotPlay)
{
    const std::string data = Bytes(64, 1);
    const std::string noFormat = quoted + "no format chunk";
    const std::string noData = quoted + "no data chunk";
    const std::string noHeader = quoted + "no RIFF header";
    const struct
    {
        const char* what;
        std::string file;
        std::string refusal;
    } cases[] = {
        {"format of 14 bytes", WavWriter().Format({1, 1, 22050, 16}, 14).Data(data).Bytes(), noFormat},
        {"tag 3", WavWriter::Simple({3, 1, 22050, 16}, data), noFormat},
        {"3 channels", WavWriter::Simple({1, 3, 22050, 16}, data), noFormat},
        {"24 bits", WavWriter::Simple({1, 1, 22050, 24}, data), noFormat},
        {"0 channels", WavWriter::Simple({1, 0, 22050, 16}, data), noFormat},
        {"rate 0", WavWriter::Simple({1, 1, 0, 16}, data), noFormat},
        {"no chunk at all", WavWriter().Bytes(), noFormat},
        {"chunk size 0xFFFFFFF0 before the format",
         WavWriter().Chunk("junk", "abcd", 0xFFFFFFF0u).Format({1, 1, 22050, 16}).Data(data).Bytes(), noFormat},
        {"chunk size 0xFFFFFFF0 before the data",
         WavWriter().Format({1, 1, 22050, 16}).Chunk("junk", "abcd", 0xFFFFFFF0u).Data(data).Bytes(), noData},
        {"no data", WavWriter().Format({1, 1, 22050, 16}).Chunk("LIST", "abcd").Bytes(), noData},
        {"RIFX", WavWriter().Header("RIFX", std::nullopt, "WAVE").Format({1, 1, 22050, 16}).Data(data).Bytes(),
         noHeader},
        {"RIFF size 0", WavWriter().Header("RIFF", 0u, "WAVE").Format({1, 1, 22050, 16}).Data(data).Bytes(),
         noHeader},
        {"WAVX", WavWriter().Header("RIFF", std::nullopt, "WAVX").Format({1, 1, 22050, 16}).Data(data).Bytes(),
         noHeader},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Refusal(c.file), c.refusal) << c.what;
}

TEST_F(WavReader, AFileEndingInsideAChunkHeaderGivesTheReadError)
{
    const std::string whole = WavWriter().Chunk("LIST", "abcd").Format({1, 1, 22050, 16}).Bytes();
    for (const std::size_t length : {std::size_t{6}, std::size_t{16}, std::size_t{30}})
    {
        const std::string refusal = Refusal(whole.substr(0, length));
        EXPECT_EQ(refusal.rfind("Failed to read ", 0), 0u) << length << ": " << refusal;
    }
}

TEST_F(WavReader, DeliversWholeFramesOnly)
{
    // 1001 bytes of 16-bit stereo: the last byte is no frame.
    WriteData(name, WavWriter::Simple({1, 2, 22050, 16}, Bytes(1001, 5)));
    SoundFileReaderWAV reader(&log, &files, name);
    EXPECT_EQ(reader.GetDataSize(), 1000u);
    EXPECT_EQ(ReadAll(reader, 6).size(), 1000u);

    // Declared longer than present, ending on an odd byte: what is there, in
    // whole frames, then the end; the size stays as declared.
    WriteData(name, WavWriter().Format({1, 2, 22050, 16}).Data(Bytes(1001, 5), 4000).Bytes());
    SoundFileReaderWAV shortFile(&log, &files, name);
    EXPECT_EQ(shortFile.GetDataSize(), 4000u);
    std::string piece(4000, '\0');
    std::uint32_t delivered = 0;
    bool end = false;
    shortFile.Read(piece.data(), 4000, &delivered, &end);
    EXPECT_EQ(delivered, 1000u);
    EXPECT_TRUE(end);
    shortFile.Read(piece.data(), 0, &delivered, &end);
    EXPECT_EQ(delivered, 0u);
    EXPECT_TRUE(end);
}

TEST(SilentReader, EightBytesOfEightBitSilence)
{
    SoundFileReaderEMP reader(nullptr, nullptr);
    EXPECT_EQ(reader.GetDataSize(), 8u);
    EXPECT_EQ(reader.GetChannels(), 1u);
    EXPECT_EQ(reader.GetBits(), 8u);
    EXPECT_EQ(reader.GetSampleRate(), 22050u);
    std::uint8_t bytes[16] = {};
    std::uint32_t delivered = 0;
    bool end = false;
    reader.Read(bytes, 5, &delivered, &end);
    EXPECT_EQ(delivered, 5u);
    EXPECT_FALSE(end);
    reader.Read(bytes + 5, 16, &delivered, &end);
    EXPECT_EQ(delivered, 3u);
    EXPECT_TRUE(end);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(bytes[i], 128);
    reader.Rewind();
    reader.Read(bytes, 0, &delivered, &end);
    EXPECT_EQ(delivered, 0u);
    EXPECT_TRUE(end);
}

std::vector<std::int16_t> Tone(std::uint32_t frames, std::uint32_t channels)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(frames) * channels);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(9000.0 * std::sin(0.05 * static_cast<double>(i / channels)));
    return samples;
}

class OggReader : public SoundFiles
{
};

TEST_F(OggReader, ShortAndMultiPageFilesDecodeInFullAndRewind)
{
    const struct
    {
        std::uint32_t frames;
        std::uint32_t channels;
        std::uint32_t rate;
    } cases[] = {{100, 2, 22050}, {1000, 1, 8000}, {132300, 2, 44100}};
    for (const auto& c : cases)
    {
        const std::string ogg = content::EncodeOggVorbis(Tone(c.frames, c.channels), c.channels, c.rate);
        ASSERT_FALSE(ogg.empty());
        WriteData("audio\\t\\x.ogg", ogg);
        SoundFileReaderOGG reader(&log, &files, "audio\\t\\x.ogg");
        EXPECT_EQ(reader.GetChannels(), c.channels);
        EXPECT_EQ(reader.GetSampleRate(), c.rate);
        EXPECT_EQ(reader.GetBits(), 16u);
        EXPECT_EQ(reader.GetDataSize(), c.frames * c.channels * 2);
        const std::string first = ReadAll(reader, 32768);
        EXPECT_EQ(first.size(), reader.GetDataSize());
        reader.Rewind();
        EXPECT_EQ(ReadAll(reader, 10000), first);
    }
}

TEST_F(OggReader, RefusesAGarbledOrEmptyFile)
{
    const std::string ogg = content::EncodeOggVorbis(Tone(5000, 1), 1, 22050);
    std::string garbled = ogg;
    for (std::size_t i = 0; i < 200 && i < garbled.size(); ++i)
        garbled[i] = static_cast<char>(garbled[i] ^ 0x5A);
    for (const std::string& file : {std::string(), garbled, Bytes(5000, 9)})
    {
        WriteData("audio\\t\\x.ogg", file);
        try
        {
            SoundFileReaderOGG reader(&log, &files, "audio\\t\\x.ogg");
            ADD_FAILURE() << "accepted " << file.size() << " bytes";
        }
        catch (const FileError& error)
        {
            EXPECT_EQ(error.GetText(), "Failed to load \"data\\audio\\t\\x.ogg\" sound file - incorrect format");
            // The library's own reason is logged before the refusal is.
            ASSERT_GT(log.GetMessageCount(), 0);
            const LogMessage reason = log.GetMessage(static_cast<std::uint32_t>(log.GetMessageCount() - 1));
            EXPECT_NE(reason.text.find("The Vorbis library refused the stream: "), std::string::npos) << reason.text;
            EXPECT_EQ(reason.text.find("error code"), std::string::npos) << reason.text;
            log.ClearMessages();
        }
    }
}

TEST(OggSource, StandsAtTheEndOfTheFile)
{
    const std::string bytes = Bytes(100, 2);
    FileBinary file("memory", false, false, true, 100, bytes.data());
    OggFileSource source(&file);
    char out[200];
    EXPECT_EQ(OggFileSource::Seek(&source, 0, SEEK_END), 0);
    EXPECT_EQ(OggFileSource::Tell(&source), 100);
    EXPECT_EQ(OggFileSource::Read(out, 1, 10, &source), 0u);

    EXPECT_EQ(OggFileSource::Seek(&source, -10, SEEK_CUR), 0);
    EXPECT_EQ(OggFileSource::Read(out, 1, 200, &source), 10u);
    EXPECT_EQ(std::string(out, 10), bytes.substr(90));

    EXPECT_EQ(OggFileSource::Seek(&source, 1, SEEK_END), -1);
    EXPECT_EQ(OggFileSource::Seek(&source, -1, SEEK_SET), -1);
    EXPECT_EQ(OggFileSource::Seek(&source, 0, 7), -1);
    EXPECT_EQ(OggFileSource::Tell(&source), 100);
    EXPECT_EQ(OggFileSource::Seek(&source, 3, SEEK_SET), 0);
    EXPECT_EQ(OggFileSource::Read(out, 4, 3, &source), 3u);
    EXPECT_EQ(std::string(out, 12), bytes.substr(3, 12));
    EXPECT_EQ(OggFileSource::Tell(&source), 15);
}

// A buffer without a device: it keeps what it is asked to write.
class RecordingBuffer final : public SoundBuffer
{
public:
    RecordingBuffer(MessageManager* messages, FileManager* files, const std::string& fileName)
        : SoundBuffer(messages, files, fileName)
    {
    }

    void CreateBuffer(const SoundBuffer*) override {}
    void ReleaseBuffer() override {}
    bool WriteBuffer(std::uint32_t chunk, const std::vector<std::uint8_t>& data, std::uint32_t bytes) override
    {
        writes.push_back({chunk, std::string(data.begin(), data.begin() + bytes)});
        return true;
    }
    void QueueBuffer(std::uint32_t) override {}
    void UnqueueProcessedBuffers(std::vector<std::uint32_t>& chunks) override { chunks.clear(); }

    struct Write
    {
        std::uint32_t chunk;
        std::string bytes;
    };
    std::vector<Write> writes;
};

class ReaderChoice : public SoundFiles
{
};

TEST_F(ReaderChoice, PicksByExtensionAndFallsBackToSilence)
{
    WriteData("audio\\x.wav", WavWriter::Simple({1, 2, 44100, 16}, Bytes(400, 1)));
    const struct
    {
        const char* name;
        std::uint32_t rate; // 22050 for the silent reader
        std::string error;  // "" for none
    } cases[] = {
        {"", 22050, ""},
        {"AUDIO\\X.WAV", 44100, ""},
        {"audio\\x.mp3", 22050, "Failed to load \"audio\\x.mp3\" sound file - unknown type"},
        {"audio\\noextension", 22050, "Failed to load \"audio\\noextension\" sound file - unknown type"},
        {"audio\\missing.wav", 22050, "Failed to open "},
        {"audio\\missing.ogg", 22050, "Failed to open "},
    };
    for (const auto& c : cases)
    {
        ClearLog();
        RecordingBuffer buffer(&log, &files, c.name);
        buffer.Load(nullptr);
        EXPECT_EQ(buffer.GetSampleRate(), c.rate) << c.name;
        const std::vector<std::string> texts = LogTexts();
        if (c.error.empty())
        {
            EXPECT_TRUE(texts.empty()) << c.name;
        }
        else
        {
            ASSERT_EQ(texts.size(), 1u) << c.name;
            EXPECT_EQ(texts[0].rfind("\nError: " + c.error, 0), 0u) << texts[0];
        }
        if (c.rate == 22050)
        {
            ASSERT_EQ(buffer.writes.size(), 1u);
            EXPECT_EQ(buffer.writes[0].bytes, std::string(8, '\x80'));
        }
    }
}

TEST_F(ReaderChoice, ShortStaticDataIsPaddedWithSilenceAndLogged)
{
    const struct
    {
        std::uint16_t bits;
        char silence;
    } cases[] = {{8, '\x80'}, {16, '\0'}};
    for (const auto& c : cases)
    {
        ClearLog();
        WriteData("audio\\short.wav", WavWriter().Format({1, 1, 22050, c.bits}).Data(Bytes(600, 4), 1000).Bytes());
        RecordingBuffer buffer(&log, &files, "Audio\\Short.wav");
        buffer.Load(nullptr);
        ASSERT_EQ(buffer.writes.size(), 1u);
        EXPECT_EQ(buffer.writes[0].bytes, Bytes(600, 4) + std::string(400, c.silence));
        EXPECT_TRUE(HasError("\"audio\\short.wav\" sound file - incorrect format"));
        EXPECT_EQ(buffer.GetReader(), nullptr);
    }
}

TEST_F(ReaderChoice, ALoopingStreamJoinsTheEndToTheStartInWholeFrames)
{
    // The file holds 1000 bytes past the first ring and a 2-byte tail that is
    // no frame; it declares more. The next chunk after the ring is the last
    // 1000 bytes, then the file's start, with no byte of the tail between.
    const std::string data = Bytes(1048576 + 1002, 6);
    WriteData("audio\\loop.wav", WavWriter().Format({1, 2, 22050, 16}).Data(data, 1048576 + 1100).Bytes());
    RecordingBuffer buffer(&log, &files, "audio\\loop.wav");
    buffer.Load(nullptr);
    ASSERT_TRUE(buffer.IsStreamed());
    buffer.SetLoop(true);
    buffer.SetStreamState(SoundBuffer::StreamPlaying);
    ASSERT_EQ(buffer.writes.size(), 32u);
    std::vector<std::uint8_t> scratch;
    ASSERT_TRUE(buffer.DecodeBuffer(0, scratch, SoundBuffer::chunkSize));
    const std::string expected = data.substr(1048576, 1000) + data.substr(0, SoundBuffer::chunkSize - 1000);
    EXPECT_EQ(buffer.writes.back().bytes, expected);
}

} // namespace
} // namespace corvellan::test
