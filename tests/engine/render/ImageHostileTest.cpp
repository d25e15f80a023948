#include "content/HostileImages.h"
#include "engine/core/FileBinary.h"
#include "tests/engine/render/ImageFileFixture.h"

using OrvaneEngine::Image;
using namespace corvellan::test;
namespace content = corvellan::content;

class ImageHostile : public ImageFileFixture
{
};

// Every damaged, cut or oversized file gives its own text and an empty image,
// or a sound picture; never a crash (the sanitizer build runs this too).
TEST_F(ImageHostile, EveryFileGetsItsOutcome)
{
    const auto hostile = content::HostileImageFiles();
    ASSERT_GE(hostile.size(), 30u);
    for (const auto& file : hostile)
    {
        SCOPED_TRACE(file.name);
        Put(file.name, file.bytes);
        log->ClearMessages();
        Image image;
        image.Create(log.get(), 3, 3, 24); // a refusal must not leave the old picture either
        const bool loaded = image.Load(log.get(), files.get(), file.name);
        switch (file.outcome)
        {
        case content::HostileOutcome::Incorrect:
        case content::HostileOutcome::Unsupported:
        {
            const std::string kind = file.outcome == content::HostileOutcome::Incorrect ? "Incorrect" : "Unsupported";
            EXPECT_FALSE(loaded);
            EXPECT_TRUE(image.IsEmpty());
            EXPECT_EQ(image.GetPixels(), nullptr);
            EXPECT_EQ(Entries(), std::vector<std::string>{ErrorEntry(kind + " \"" + file.name + "\" file format")});
            break;
        }
        case content::HostileOutcome::Loads:
            EXPECT_TRUE(loaded);
            EXPECT_FALSE(image.IsEmpty());
            EXPECT_TRUE(Entries().empty());
            break;
        }
    }
}

TEST_F(ImageHostile, PacketsPastThePictureAreDropped)
{
    for (const auto& file : content::HostileImageFiles())
    {
        if (file.name != "run_length_overrun.tga" && file.name != "raw_packet_overrun.tga")
        {
            continue;
        }
        SCOPED_TRACE(file.name);
        Put(file.name, file.bytes);
        Image image;
        ASSERT_TRUE(image.Load(log.get(), files.get(), file.name));
        ASSERT_EQ(image.GetWidth(), 2u);
        ASSERT_EQ(image.GetHeight(), 2u);
        const Bytes last = file.name == "run_length_overrun.tga" ? Bytes{6, 5, 4} : Bytes{4, 4, 4};
        // Stored top row first: the fourth stored pixel is the bottom-right one.
        EXPECT_EQ(PixelAt(image, 1, 0), last);
    }
}

TEST_F(ImageHostile, ShortHeadersReportTheShortRead)
{
    struct Case
    {
        const char* name;
        std::uint32_t header;
    };
    for (const Case& c : {Case{"short.bmp", 54}, Case{"short.tga", 18}})
    {
        SCOPED_TRACE(c.name);
        Put(c.name, "BM\x01\x02");
        log->ClearMessages();
        Image image;
        EXPECT_FALSE(image.Load(log.get(), files.get(), c.name));
        EXPECT_TRUE(image.IsEmpty());
        EXPECT_EQ(Entries(), std::vector<std::string>{ErrorEntry("Failed to read " + std::to_string(c.header)
                                                                 + " bytes from \"" + RootPath(c.name) + "\" file")});
    }
}

// The inner readers work over files in memory, as the fuzz targets drive them.
TEST_F(ImageHostile, InnerReadersTakeMemoryFiles)
{
    using Reader = bool (Image::*)(OrvaneEngine::MessageManager*, OrvaneEngine::FileBinary&, const std::string&);
    for (const auto& file : content::HostileImageFiles())
    {
        const std::string extension = file.name.substr(file.name.rfind('.') + 1);
        const Reader reader = extension == "bmp" ? &Image::ReadBMP : extension == "tga" ? &Image::ReadTGA : &Image::ReadJPEG;
        OrvaneEngine::FileBinary memory(file.name, false, false, true, static_cast<std::uint32_t>(file.bytes.size()),
                                        file.bytes.data());
        Image image;
        EXPECT_EQ((image.*reader)(log.get(), memory, file.name), file.outcome == content::HostileOutcome::Loads)
            << file.name;
        EXPECT_EQ(image.IsEmpty(), file.outcome != content::HostileOutcome::Loads) << file.name;
    }
}
