#include "content/PhotoPicture.h"
#include "platform/win32/testing/CFileHooks.h"
#include "tests/engine/render/ImageFileFixture.h"

#include <sys/resource.h>

#include <csignal>

using OrvaneEngine::Image;
using win32::testing::FileCall;
using namespace corvellan::test;

namespace
{

class ImageSaveFailure : public ImageFileFixture
{
protected:
    ImageSaveFailure() { win32::testing::ResetFileHooks(); }
    ~ImageSaveFailure() override { win32::testing::ResetFileHooks(); }
};

} // namespace

// A write that fails at any step returns false, says so, leaves no
// temporary file and keeps the older file of that name whole.
TEST_F(ImageSaveFailure, EveryFailedStepKeepsTheOldFile)
{
    Image picture;
    picture.Create(log.get(), 1, 1, 24);
    corvellan::content::MakePhotoPicture(picture, 40, 30, 8);
    const FileCall calls[] = {FileCall::Write, FileCall::Flush, FileCall::Sync, FileCall::Close, FileCall::Rename};
    for (const char* name : {"shot.bmp", "shot.tga", "shot.jpg"})
    {
        const bool jpeg = std::string(name).ends_with(".jpg");
        for (const FileCall call : calls)
        {
            // The JPEG library writes through the C library's own fwrite: see the file-size test below.
            if (jpeg && call == FileCall::Write)
            {
                continue;
            }
            SCOPED_TRACE(std::string(name) + " call " + std::to_string(static_cast<int>(call)));
            Put(name, "older file");
            log->ClearMessages();
            win32::testing::ResetFileHooks();
            win32::testing::FailFileCall(call, 1, "shot");
            EXPECT_FALSE(picture.Save(files.get(), name));
            win32::testing::ResetFileHooks();
            EXPECT_EQ(Get(name), "older file");
            EXPECT_FALSE(Exists(std::string(name) + ".tmp"));
            const auto errors = Entries();
            ASSERT_EQ(errors.size(), 1u);
            if (jpeg)
            {
                EXPECT_EQ(errors[0], ErrorEntry("Failed to save \"" + std::string(name) + "\""));
            }
            else
            {
                EXPECT_EQ(errors[0].rfind("\nError: Failed to write ", 0), 0u) << errors[0];
                EXPECT_NE(errors[0].find(RootPath(name)), std::string::npos) << errors[0];
            }
        }
        // Without a failure the same save replaces the old file.
        EXPECT_TRUE(picture.Save(files.get(), name));
        EXPECT_NE(Get(name), "older file");
        EXPECT_FALSE(Exists(std::string(name) + ".tmp"));
    }
}

TEST_F(ImageSaveFailure, JpegLibraryWriteErrorIsReported)
{
    Image picture;
    picture.Create(log.get(), 1, 1, 24);
    corvellan::content::MakePhotoPicture(picture, 256, 256, 8);
    Put("big.jpg", "older file");
    log->ClearMessages();

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved;
    lowered.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
    const bool saved_ok = picture.SaveJPEG(files.get(), "big.jpg", 100);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(Entries(), std::vector<std::string>{ErrorEntry("Failed to save \"big.jpg\"")});
    EXPECT_EQ(Get("big.jpg"), "older file");
    EXPECT_FALSE(Exists("big.jpg.tmp"));
}

TEST_F(ImageSaveFailure, UnwritableFolderIsReported)
{
    // A file stands where the folder would have to be.
    Put("taken", "a file");
    Image picture;
    picture.Create(log.get(), 2, 2, 24);
    std::fill(picture.GetPixels(), picture.GetPixels() + 12, std::uint8_t{9});
    EXPECT_FALSE(picture.SaveJPEG(files.get(), "taken\\shot.jpg", 85));
    EXPECT_EQ(Entries(), std::vector<std::string>{ErrorEntry("Failed to save \"taken\\shot.jpg\"")});
    log->ClearMessages();
    EXPECT_FALSE(picture.SaveBMP(files.get(), "taken\\shot.bmp"));
    EXPECT_EQ(Entries(), std::vector<std::string>{ErrorEntry("Failed to open \"" + RootPath("taken\\shot.bmp") + "\" file")});
}
