#include "tests/engine/render/CaptureFixture.h"

#include "engine/core/StringFunctions.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <functional>

using namespace OrvaneEngine;

namespace
{

using vfw::testing::VfwCall;
using win32::testing::GdiCall;

class MovieCaptureTest : public corvellan::test::CaptureFixture
{
protected:
    void Start()
    {
        Request("sc_start_movie_record");
        Update();
    }
    void Stop()
    {
        Request("sc_stop_movie_record");
        Update();
    }
    // Finished movies only, not the temporary file of one being recorded.
    std::vector<std::string> Movies() const
    {
        std::vector<std::string> movies;
        for (const std::string& name : Captures())
            if (name.rfind("movie", 0) == 0 && name.size() > 4 && name.compare(name.size() - 4, 4, ".avi") == 0)
                movies.push_back(name);
        return movies;
    }

    const std::string starting = "AVI recording is starting...";
    const std::string finished = "AVI record finished";
};

TEST_F(MovieCaptureTest, EveryFrameWhileRecordingGoesIntoOneMovie)
{
    Request("sc_start_movie_record");
    Updates(5);
    EXPECT_TRUE(capture->IsRecording());
    EXPECT_TRUE(Movies().empty()) << "the movie takes its name when it is complete";
    Stop();
    EXPECT_FALSE(capture->IsRecording());
    EXPECT_EQ(Movies(), std::vector<std::string>{"movie000.avi"});
    ExpectMovie("movie000.avi", 5);
    EXPECT_EQ(Messages(), (std::vector<std::string>{starting, finished}));
    EXPECT_TRUE(Errors().empty());

    // The next movie takes the next name.
    Start();
    Stop();
    EXPECT_EQ(Movies(), (std::vector<std::string>{"movie000.avi", "movie001.avi"}));
    ExpectMovie("movie001.avi", 1);
}

TEST_F(MovieCaptureTest, StartAndStopAreRefusedOrIgnoredWhereTheyMeanNothing)
{
    Stop();
    EXPECT_TRUE(log.GetMessageCount() == 0) << "a stop while idle logs nothing";

    Start();
    Start();
    EXPECT_EQ(Errors(), std::vector<std::string>{Error("AVI recording was already started")});
    EXPECT_TRUE(capture->IsRecording());
    Stop();
    ExpectMovie("movie000.avi", 2);
}

TEST_F(MovieCaptureTest, AScreenshotTakesTheFrameItWasRequestedIn)
{
    Request("sc_start_movie_record");
    Update();
    Update();
    Request("sc_take_screenshot");
    Update();
    Updates(2);
    Stop();
    ExpectMovie("movie000.avi", 4);
    EXPECT_TRUE(Exists("picture000.bmp"));
}

TEST_F(MovieCaptureTest, AScreenshotAndAMovieStartedTogetherAreBothWritten)
{
    Request("sc_take_screenshot");
    Request("sc_start_movie_record");
    Update();
    Update();
    Stop();
    EXPECT_TRUE(Exists("picture000.bmp"));
    ExpectMovie("movie000.avi", 1);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(MovieCaptureTest, AnOldLibraryRecordsNothing)
{
    vfw::testing::SetReportedVersion(0x01090000u);
    MakeCapture();
    Start();
    EXPECT_EQ(Errors(), std::vector<std::string>{Error("Video For Windiws version is too old")});
    EXPECT_FALSE(capture->IsRecording());
    EXPECT_TRUE(Captures().empty());
}

TEST_F(MovieCaptureTest, AFailedStartLeavesTheCaptureIdleAndNoFile)
{
    struct Case
    {
        const char* name;
        std::function<void()> arm;
        std::string error;
    };
    const std::string streamError = Error("Failed to create avi stream");
    const Case cases[] = {
        {"options cancelled", [] { vfw::testing::SetSaveOptionsCancelled(true); }, streamError},
        {"open", [] { vfw::testing::FailCall(VfwCall::FileOpen); }, streamError},
        {"stream", [] { vfw::testing::FailCall(VfwCall::CreateStream); }, streamError},
        {"compressed stream", [] { vfw::testing::FailCall(VfwCall::MakeCompressedStream); }, streamError},
        {"format", [] { vfw::testing::FailCall(VfwCall::SetFormat); }, streamError},
        {"no picture", [this] { source.ClearPicture(); }, Error("Failed to print image from screen")},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        log.ClearMessages();
        c.arm();
        Start();
        EXPECT_EQ(Errors(), std::vector<std::string>{c.error});
        EXPECT_EQ(Messages(), (std::vector<std::string>{starting, finished}));
        EXPECT_FALSE(capture->IsRecording());
        EXPECT_TRUE(Movies().empty());
        EXPECT_EQ(vfw::testing::GetLibraryUseCount(), libraryUses);
        ResetHooks();
        source.SetPicture(kWidth, kHeight, Picture(kWidth, kHeight));
        Update();
        EXPECT_TRUE(Movies().empty()) << "the request was served";
    }
}

TEST_F(MovieCaptureTest, AFailedGrabOrWriteEndsAValidMovie)
{
    struct Case
    {
        const char* name;
        std::function<void()> arm;
        std::string error;
    };
    const std::string grabError = Error("Failed to print image from screen");
    const std::string writeError = Error("Failed to write to avi stream");
    const Case cases[] = {
        {"bitmap", [] { win32::testing::FailGdiCall(GdiCall::CreateCompatibleBitmap); }, grabError},
        {"selection", [] { win32::testing::FailGdiCall(GdiCall::SelectObject); }, grabError},
        {"copy", [] { win32::testing::FailGdiCall(GdiCall::BitBlt); }, grabError},
        {"DIB", [] { win32::testing::FailGdiCall(GdiCall::GetDIBits); }, grabError},
        {"no picture", [this] { source.ClearPicture(); }, grabError},
        {"write", [] { vfw::testing::FailCall(VfwCall::StreamWrite); }, writeError},
        {"disk", [] { win32::testing::FailFileCall(win32::testing::FileCall::Write, 1, "movie"); }, writeError},
    };
    int movie = 0;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Request("sc_start_movie_record");
        Updates(3);
        log.ClearMessages();
        c.arm();
        Updates(2);
        EXPECT_EQ(Errors(), std::vector<std::string>{c.error});
        EXPECT_EQ(Messages(), std::vector<std::string>{finished});
        EXPECT_FALSE(capture->IsRecording());
        ExpectMovie("movie" + IntToString(movie++, 3) + ".avi", 3);
        ResetHooks();
        source.SetPicture(kWidth, kHeight, Picture(kWidth, kHeight));
    }
}

TEST_F(MovieCaptureTest, TheSizeCapEndsAValidMovie)
{
    // The size of a movie of three frames, measured on one.
    Request("sc_start_movie_record");
    Updates(3);
    Stop();
    const auto threeFrames = corvellan::test::ReadFileBytes(CapturePath("movie000.avi"));
    ASSERT_TRUE(threeFrames.has_value());
    vfw::testing::SetSizeCap(threeFrames->size());
    log.ClearMessages();

    Request("sc_start_movie_record");
    Updates(5);
    EXPECT_EQ(Errors(), std::vector<std::string>{Error("Failed to write to avi stream")});
    EXPECT_FALSE(capture->IsRecording());
    ExpectMovie("movie001.avi", 3);
    EXPECT_EQ(corvellan::test::ReadFileBytes(CapturePath("movie001.avi")), threeFrames);
}

TEST_F(MovieCaptureTest, AWindowOfAnotherSizeEndsAValidMovie)
{
    Request("sc_start_movie_record");
    Updates(2);
    window->SetMode(kWidth * 2, kHeight * 2, false, 1024, 768);
    source.SetPicture(kWidth * 2, kHeight * 2, Picture(kWidth * 2, kHeight * 2));
    log.ClearMessages();
    Updates(2);
    EXPECT_EQ(Errors(), std::vector<std::string>{Error("Failed to write to avi stream")});
    EXPECT_FALSE(capture->IsRecording());
    ExpectMovie("movie000.avi", 2);
}

TEST_F(MovieCaptureTest, DestroyingTheCaptureWhileRecordingCompletesTheMovie)
{
    Request("sc_start_movie_record");
    Updates(4);
    capture.reset();
    ExpectMovie("movie000.avi", 4);
    EXPECT_EQ(Messages().back(), finished);
}

TEST_F(MovieCaptureTest, WhenEveryMovieNameIsTakenNoMovieStarts)
{
    for (int n = 0; n < 1000; ++n)
        ASSERT_TRUE(corvellan::test::WriteFileBytes(CapturePath("movie" + IntToString(n, 3) + ".avi"), "old"));
    Start();
    EXPECT_EQ(Errors(), std::vector<std::string>{Error("Failed to find a free screen capture file name")});
    EXPECT_FALSE(capture->IsRecording());
    EXPECT_EQ(corvellan::test::ReadFileText(CapturePath("movie999.avi")), "old");
    EXPECT_EQ(Captures().size(), 1000u);
}

} // namespace
