#include "tests/platform/vfw/MovieFixture.h"

#include "platform/win32/testing/CFileHooks.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace
{

using corvellan::test::AviContents;
using corvellan::test::ReadAviFile;
using vfw::testing::VfwCall;

class MovieWriterTest : public corvellan::test::MovieFixture
{
protected:
    bool Exists(const std::string& name) const { return std::filesystem::exists(folder.Join(name)); }

    std::size_t FolderEntries() const
    {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
            ++count;
        return count;
    }
};

TEST_F(MovieWriterTest, AMovieReadsBackWithEveryPartAgreeing)
{
    ASSERT_EQ(Open(), vfw::AVIERR_OK);
    EXPECT_EQ(WriteFrames(5), 5u);
    Close();

    const AviContents avi = ReadAviFile(path);
    ExpectFrames(avi, 5);
    EXPECT_EQ(avi.microSecondsPerFrame, 30303u);
    EXPECT_EQ(avi.mainFlags, 0x10u);
    EXPECT_EQ(avi.initialFrames, 0u);
    EXPECT_EQ(avi.streams, 1u);
    EXPECT_EQ(avi.mainSuggestedBuffer, kImageSize);
    EXPECT_EQ(avi.maxBytesPerSecond, kImageSize * 33);
    EXPECT_EQ(avi.width, kWidth);
    EXPECT_EQ(avi.height, kHeight);

    EXPECT_EQ(avi.streamType, "vids");
    EXPECT_EQ(avi.handler, 0u);
    EXPECT_EQ(avi.scale, 1u);
    EXPECT_EQ(avi.rate, 33u);
    EXPECT_EQ(avi.start, 0u);
    EXPECT_EQ(avi.streamSuggestedBuffer, kImageSize);
    EXPECT_EQ(avi.quality, -1);
    EXPECT_EQ(avi.sampleSize, 0u);
    EXPECT_EQ(avi.frame[0], 0);
    EXPECT_EQ(avi.frame[1], 0);
    EXPECT_EQ(avi.frame[2], kWidth);
    EXPECT_EQ(avi.frame[3], kHeight);

    EXPECT_EQ(avi.formatBytes, 40u);
    EXPECT_EQ(avi.formatHeaderSize, 40u);
    EXPECT_EQ(avi.formatWidth, kWidth);
    EXPECT_EQ(avi.formatHeight, kHeight);
    EXPECT_EQ(avi.formatPlanes, 1u);
    EXPECT_EQ(avi.formatBits, 32u);
    EXPECT_EQ(avi.formatCompression, 0u);
    EXPECT_EQ(avi.formatImageSize, kImageSize);
    EXPECT_EQ(avi.index.front().offset, 4u) << "the first chunk follows the 'movi' fourcc";
    EXPECT_FALSE(Exists("movie000.avi.tmp"));
}

TEST_F(MovieWriterTest, AMovieWithoutFramesIsStillAValidFile)
{
    ASSERT_EQ(Open(), vfw::AVIERR_OK);
    Close();
    const AviContents avi = ReadAviFile(path);
    EXPECT_EQ(corvellan::test::CheckAviConsistency(avi), "");
    EXPECT_TRUE(avi.frames.empty());
}

TEST_F(MovieWriterTest, TheMovieTakesItsNameOnlyWhenTheLastReferenceGoes)
{
    // The capture's order (stream, compressed stream, file), then the file first.
    for (const bool fileFirst : {false, true})
    {
        path = folder.Join(fileFirst ? "second.avi" : "first.avi");
        const std::string name = fileFirst ? "second.avi" : "first.avi";
        ASSERT_EQ(Open(), vfw::AVIERR_OK);
        ASSERT_EQ(WriteFrames(2), 2u);
        EXPECT_FALSE(Exists(name));
        EXPECT_TRUE(Exists(name + ".tmp"));
        if (fileFirst)
        {
            vfw::AVIFileRelease(file);
            vfw::AVIStreamRelease(stream);
            file = nullptr;
            stream = nullptr;
        }
        else
        {
            vfw::AVIStreamRelease(stream);
            vfw::AVIStreamRelease(compressed);
            stream = compressed = nullptr;
        }
        EXPECT_FALSE(Exists(name)) << "a reference is left";
        Close();
        EXPECT_TRUE(Exists(name));
        EXPECT_FALSE(Exists(name + ".tmp"));
        ExpectFrames(ReadAviFile(path), 2);
        written = 0;
    }
}

TEST_F(MovieWriterTest, ARefusedFrameLeavesTheFramesBeforeItAndTheStreamGoesOn)
{
    struct Case
    {
        const char* name;
        std::function<void()> arm;
        std::uint32_t size;
        vfw::HRESULT expected;
    };
    const Case cases[] = {
        {"smaller", [] {}, kImageSize - 4, vfw::AVIERR_BADSIZE},
        {"larger", [] {}, kImageSize + 2, vfw::AVIERR_BADSIZE},
        {"hook", [] { vfw::testing::FailCall(VfwCall::StreamWrite); }, kImageSize, vfw::AVIERR_FILEWRITE},
        {"disk", [] { win32::testing::FailFileCall(win32::testing::FileCall::Write, 2, "disk.avi"); }, kImageSize,
         vfw::AVIERR_FILEWRITE},
        {"short",
         [] { win32::testing::ShortenFileCall(win32::testing::FileCall::Write, 2, 10, "short.avi"); },
         kImageSize, vfw::AVIERR_FILEWRITE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        path = folder.Join(std::string(c.name) + ".avi");
        written = 0;
        ASSERT_EQ(Open(), vfw::AVIERR_OK);
        ASSERT_EQ(WriteFrames(2), 2u);
        c.arm();
        EXPECT_EQ(Write(written, c.size), c.expected);
        // The stream is whole: the next frame goes where the refused one would have.
        EXPECT_EQ(WriteFrames(3), 3u);
        Close();
        ExpectFrames(ReadAviFile(path), 3);
        win32::testing::ResetFileHooks();
    }
}

TEST_F(MovieWriterTest, TheSizeCapEndsTheMovieAtTheLastFrameThatFits)
{
    ASSERT_EQ(Open(), vfw::AVIERR_OK);
    ASSERT_EQ(WriteFrames(3), 3u);
    Close();
    const auto threeFrames = corvellan::test::ReadFileBytes(path);
    ASSERT_TRUE(threeFrames.has_value());

    vfw::testing::SetSizeCap(threeFrames->size());
    path = folder.Join("capped.avi");
    written = 0;
    ASSERT_EQ(Open(), vfw::AVIERR_OK);
    EXPECT_EQ(WriteFrames(5), 3u);
    Close();
    EXPECT_EQ(corvellan::test::ReadFileBytes(path), threeFrames);
}

TEST_F(MovieWriterTest, AFailedStartLeavesNoFile)
{
    struct Case
    {
        const char* name;
        std::function<void()> arm;
    };
    const Case cases[] = {
        {"open", [] { vfw::testing::FailCall(VfwCall::FileOpen); }},
        {"stream", [] { vfw::testing::FailCall(VfwCall::CreateStream); }},
        {"options", [] { vfw::testing::SetSaveOptionsCancelled(true); }},
        {"compressed", [] { vfw::testing::FailCall(VfwCall::MakeCompressedStream); }},
        {"format", [] { vfw::testing::FailCall(VfwCall::SetFormat); }},
        {"header on disk", [] { win32::testing::FailFileCall(win32::testing::FileCall::Write, 1, "movie000"); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        c.arm();
        EXPECT_NE(Open(), vfw::AVIERR_OK);
        Close();
        EXPECT_EQ(FolderEntries(), 0u);
        vfw::testing::ResetHooks();
        win32::testing::ResetFileHooks();
    }
}

TEST_F(MovieWriterTest, AMovieThatCannotBeFinishedLeavesNoBrokenFile)
{
    using win32::testing::FileCall;
    for (const FileCall call : {FileCall::Flush, FileCall::Sync, FileCall::Close, FileCall::Rename})
    {
        SCOPED_TRACE(static_cast<int>(call));
        written = 0;
        ASSERT_EQ(Open(), vfw::AVIERR_OK);
        ASSERT_EQ(WriteFrames(2), 2u);
        win32::testing::FailFileCall(call, 1, "movie000");
        Close();
        EXPECT_EQ(FolderEntries(), 0u);
        win32::testing::ResetFileHooks();
    }
}

TEST_F(MovieWriterTest, CallsOutsideWhatTheWriterKnowsAreRefused)
{
    // Without AVIFileInit nothing opens.
    vfw::PAVIFILE unopened = nullptr;
    EXPECT_NE(vfw::AVIFileOpenA(&unopened, path.c_str(), vfw::OF_CREATE | vfw::OF_WRITE, nullptr), vfw::AVIERR_OK);
    EXPECT_EQ(unopened, nullptr);
    vfw::AVIFileInit();
    EXPECT_NE(vfw::AVIFileOpenA(&unopened, path.c_str(), 0, nullptr), vfw::AVIERR_OK) << "reading is not offered";
    vfw::AVIFileExit();

    struct FormatCase
    {
        const char* name;
        std::function<void(win32::BITMAPINFOHEADER&)> spoil;
    };
    const FormatCase formats[] = {
        {"16 bits", [](win32::BITMAPINFOHEADER& h) { h.bitCount = 16; }},
        {"compressed", [](win32::BITMAPINFOHEADER& h) { h.compression = 1; }},
        {"top-down", [](win32::BITMAPINFOHEADER& h) { h.height = -h.height; }},
        {"no width", [](win32::BITMAPINFOHEADER& h) { h.width = 0; }},
        {"wrong image size", [](win32::BITMAPINFOHEADER& h) { h.sizeImage += 4; }},
        {"short header", [](win32::BITMAPINFOHEADER& h) { h.size = 12; }},
    };
    for (const FormatCase& c : formats)
    {
        SCOPED_TRACE(c.name);
        win32::BITMAPINFOHEADER format = Format();
        c.spoil(format);
        EXPECT_EQ(Open(format), vfw::AVIERR_BADFORMAT);
        EXPECT_NE(Write(0), vfw::AVIERR_OK) << "no frame before a format";
        Close();
    }

    ASSERT_EQ(Open(), vfw::AVIERR_OK);
    vfw::PAVISTREAM second = nullptr;
    vfw::AVISTREAMINFOA info{vfw::streamtypeVIDEO, 0, 0, 0, 0, 1, 33, 0, 0, 0, {0, 0, 1, 1}};
    EXPECT_EQ(vfw::AVIFileCreateStreamA(file, &second, &info), vfw::AVIERR_UNSUPPORTED);
    EXPECT_EQ(second, nullptr);
    const std::vector<std::uint8_t> picture = Picture(0);
    EXPECT_EQ(vfw::AVIStreamWrite(compressed, 3, 1, picture.data(), kImageSize, 0, nullptr, nullptr),
              vfw::AVIERR_BADPARAM)
        << "frames go at the stream's end";
    vfw::AVICOMPRESSOPTIONS other{vfw::streamtypeVIDEO, vfw::MakeFourCC('x', 'v', 'i', 'd'), 1, 0, 0, 0};
    vfw::PAVISTREAM otherCompressed = nullptr;
    EXPECT_EQ(vfw::AVIMakeCompressedStream(&otherCompressed, stream, &other, nullptr), vfw::AVIERR_NOCOMPRESSOR);
    EXPECT_EQ(otherCompressed, nullptr);
}

TEST_F(MovieWriterTest, VersionAndCompressorChoiceAnswerAsTheCaptureExpects)
{
    EXPECT_EQ(vfw::VideoForWindowsVersion() >> 16, 0x010Au);
    vfw::testing::SetReportedVersion(0x01090000u);
    EXPECT_EQ(vfw::VideoForWindowsVersion() >> 16, 0x0109u);

    ASSERT_EQ(Open(), vfw::AVIERR_OK);
    vfw::AVICOMPRESSOPTIONS options{};
    vfw::AVICOMPRESSOPTIONS* chosen = &options;
    EXPECT_EQ(vfw::AVISaveOptions(0, 0, 1, &stream, &chosen), win32::TRUE);
    EXPECT_EQ(options.type, vfw::streamtypeVIDEO);
    EXPECT_EQ(options.handler, vfw::kUncompressedHandler);
    vfw::testing::SetSaveOptionsCancelled(true);
    EXPECT_EQ(vfw::AVISaveOptions(0, 0, 1, &stream, &chosen), win32::FALSE);
}

} // namespace
