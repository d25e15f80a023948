#include "content/ImageFixtures.h"
#include "content/PhotoPicture.h"
#include "tests/engine/render/ImageFileFixture.h"

using OrvaneEngine::Image;
using namespace corvellan::test;
namespace content = corvellan::content;

namespace
{

std::string Text(std::initializer_list<int> bytes)
{
    std::string text;
    for (const int b : bytes)
    {
        text += static_cast<char>(b);
    }
    return text;
}

std::string Repeat(const std::string& piece, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
    {
        text += piece;
    }
    return text;
}

// A picture whose every byte differs from its neighbours.
void MakeTestPicture(Image& image, std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                     OrvaneEngine::MessageManager* log = nullptr)
{
    image.Create(log, width, height, bits);
    const std::size_t size = std::size_t{width} * height * bits / 8;
    for (std::size_t i = 0; i < size; ++i)
    {
        image.GetPixels()[i] = static_cast<std::uint8_t>(i * 31 + 7);
    }
}

} // namespace

class ImageFiles : public ImageFileFixture
{
};

TEST_F(ImageFiles, ExtensionChoosesTheFormatWithoutRegardToCase)
{
    Image picture;
    MakeTestPicture(picture, 4, 3, 24);
    Put("upper.BMP", content::EngineImageFile(picture, "bmp"));
    Put("mixed.Jpeg", content::EngineImageFile(picture, "jpg"));
    Put("picture.TgA", content::EngineImageFile(picture, "tga"));
    Put("picture.png", content::EngineImageFile(picture, "bmp"));

    for (const char* name : {"upper.BMP", "mixed.Jpeg", "picture.TgA"})
    {
        Image image;
        EXPECT_TRUE(image.Load(log.get(), files.get(), name)) << name;
        EXPECT_EQ(image.GetWidth(), 4u) << name;
    }
    EXPECT_TRUE(Entries().empty());

    Image image;
    EXPECT_FALSE(image.Load(log.get(), files.get(), "sub.dir\\picture.png"));
    EXPECT_EQ(Entries(), std::vector<std::string>{ErrorEntry("Unknown \"sub.dir\\picture.png\" image file type")});

    log->ClearMessages();
    picture.Create(log.get(), 2, 2, 24);
    EXPECT_FALSE(picture.Save(files.get(), "shot.avi"));
    EXPECT_EQ(Entries(), std::vector<std::string>{ErrorEntry("Unknown \"shot.avi\" image file type")});
    EXPECT_FALSE(Exists("shot.avi"));

    // Save picks JPEG at quality 85.
    MakeTestPicture(picture, 9, 5, 24);
    ASSERT_TRUE(picture.Save(files.get(), "a.jpg"));
    ASSERT_TRUE(picture.SaveJPEG(files.get(), "b.jpg", 85));
    EXPECT_EQ(Get("a.jpg"), Get("b.jpg"));
}

TEST_F(ImageFiles, GoldenBmpBytes)
{
    Image picture;
    MakeImage(picture, 3, 2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}, log.get());
    ASSERT_TRUE(picture.SaveBMP(files.get(), "a.bmp"));
    const std::string header24 = Text({'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 3, 0, 0, 0, 2, 0,
                                       0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0,
                                       0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(Get("a.bmp"), header24
                                + Text({3, 2, 1, 6, 5, 4, 9, 8, 7, 0, 0, 0, 12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0,
                                        0}));

    MakeImage(picture, 2, 2, 8, {10, 20, 30, 40}, log.get());
    ASSERT_TRUE(picture.SaveBMP(files.get(), "b.bmp"));
    std::string palette;
    for (int k = 0; k < 256; ++k)
    {
        palette += Repeat(Text({k}), 4);
    }
    const std::string header8 = Text({'B', 'M', 0x3E, 0x04, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0, 40, 0, 0, 0, 2, 0, 0,
                                      0, 2, 0, 0, 0, 1, 0, 8, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B,
                                      0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(Get("b.bmp"), header8 + palette + Text({10, 20, 0, 0, 30, 40, 0, 0}));
}

TEST_F(ImageFiles, GoldenTgaBytes)
{
    Image picture;
    MakeImage(picture, 2, 2, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, log.get());
    ASSERT_TRUE(picture.SaveTGA(files.get(), "a.tga"));
    EXPECT_EQ(Get("a.tga"), Text({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0x20})
                                + Text({9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}));

    MakeImage(picture, 2, 1, 8, {5, 6}, log.get());
    ASSERT_TRUE(picture.SaveTGA(files.get(), "b.tga"));
    std::string map;
    for (int k = 0; k < 256; ++k)
    {
        map += Repeat(Text({k}), 3);
    }
    EXPECT_EQ(Get("b.tga"), Text({0, 1, 1, 0, 0, 0, 1, 24, 0, 0, 0, 0, 2, 0, 1, 0, 8, 0x20}) + map + Text({5, 6}));
}

TEST_F(ImageFiles, RoundTrips)
{
    struct Case
    {
        const char* name;
        std::uint32_t bits;
        std::uint32_t readBits;
    };
    const Case cases[] = {
        {"a.bmp", 8, 24}, {"b.bmp", 24, 24}, {"c.bmp", 32, 32},
        {"a.tga", 8, 8},  {"b.tga", 24, 24}, {"c.tga", 32, 32},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Image picture;
        MakeTestPicture(picture, 5, 3, c.bits, log.get());
        ASSERT_TRUE(picture.Save(files.get(), c.name));
        Image loaded;
        ASSERT_TRUE(loaded.Load(log.get(), files.get(), c.name));
        EXPECT_EQ(loaded.GetBitsPerPixel(), c.readBits);
        // An 8-bit BMP comes back as grey through its palette.
        picture.ConvertBitsPerPixel(c.readBits);
        EXPECT_EQ(PixelBytes(loaded), PixelBytes(picture));
    }
    EXPECT_TRUE(Entries().empty());
}

TEST_F(ImageFiles, BmpVariants)
{
    // An 8-bit file with a coloured palette becomes R, G, B through it.
    std::vector<std::uint32_t> palette(256);
    palette[1] = 0xFF0000;
    palette[2] = 0x00FF00;
    palette[3] = 0x123456;
    Put("palette.bmp", content::Bmp8(3, 2, {1, 2, 3, 3, 0, 1}, palette));
    Image image;
    ASSERT_TRUE(image.Load(log.get(), files.get(), "palette.bmp"));
    EXPECT_EQ(image.GetBitsPerPixel(), 24u);
    EXPECT_EQ(PixelBytes(image), (Bytes{255, 0, 0, 0, 255, 0, 0x12, 0x34, 0x56, 0x12, 0x34, 0x56, 0, 0, 0, 255, 0, 0}));

    // Rows further on than the header says they would be.
    for (const std::uint32_t bits : {8u, 24u, 32u})
    {
        Image picture;
        MakeTestPicture(picture, 3, 4, bits);
        Put("plain.bmp", content::EngineImageFile(picture, "bmp"));
        Put("gap.bmp", content::BmpWithGap(picture, 37));
        Image plain;
        Image gap;
        ASSERT_TRUE(plain.Load(log.get(), files.get(), "plain.bmp"));
        ASSERT_TRUE(gap.Load(log.get(), files.get(), "gap.bmp")) << bits;
        EXPECT_EQ(PixelBytes(gap), PixelBytes(plain)) << bits;
    }
}

TEST_F(ImageFiles, TgaSixteenBitPixels)
{
    content::TgaLayout layout;
    layout.depth = 16;
    Put("a.tga", content::Tga(3, 1, layout, Text({0xFF, 0xFF, 0x00, 0x7C, 0x21, 0x04})));
    Image image;
    ASSERT_TRUE(image.Load(log.get(), files.get(), "a.tga"));
    EXPECT_EQ(image.GetBitsPerPixel(), 32u);
    EXPECT_EQ(PixelBytes(image), (Bytes{248, 248, 248, 255, 248, 0, 0, 0, 8, 8, 8, 0}));
}

TEST_F(ImageFiles, TgaRunLengthAndOrigins)
{
    // A repeat packet 0x83 and one pixel give four copies.
    content::TgaLayout layout;
    std::string repeat = content::Tga(2, 2, layout, "");
    repeat[2] = 10;
    Put("repeat.tga", repeat + Text({0x83, 1, 2, 3}));
    Image image;
    ASSERT_TRUE(image.Load(log.get(), files.get(), "repeat.tga"));
    EXPECT_EQ(PixelBytes(image), (Bytes{3, 2, 1, 3, 2, 1, 3, 2, 1, 3, 2, 1}));

    // Flat areas wider than a row: packets cross row ends.
    Image picture;
    picture.Create(nullptr, 5, 6, 32);
    for (std::uint32_t i = 0; i < 30; ++i)
    {
        std::uint8_t* p = picture.GetPixels() + 4 * i;
        const auto v = static_cast<std::uint8_t>(i < 13 ? 10 : i < 14 ? 99 : i * 7);
        p[0] = v;
        p[1] = static_cast<std::uint8_t>(v + 1);
        p[2] = static_cast<std::uint8_t>(v + 2);
        p[3] = static_cast<std::uint8_t>(v + 3);
    }
    for (const std::uint32_t depth : {24u, 32u})
    {
        for (const bool runLength : {false, true})
        {
            for (const bool topLeft : {false, true})
            {
                SCOPED_TRACE(std::to_string(depth) + (runLength ? " packed" : " raw") + (topLeft ? " top" : " bottom"));
                content::TgaLayout variant;
                variant.depth = depth;
                variant.runLength = runLength;
                variant.topLeft = topLeft;
                Put("variant.tga", content::TgaFromImage(picture, variant));
                Image loaded;
                ASSERT_TRUE(loaded.Load(log.get(), files.get(), "variant.tga"));
                Image expected;
                picture.ConvertBitsPerPixel(depth, &expected);
                EXPECT_EQ(PixelBytes(loaded), PixelBytes(expected));
            }
        }
    }
}

TEST_F(ImageFiles, TgaIdFieldAndColourMapAreSkipped)
{
    Image picture;
    MakeTestPicture(picture, 4, 3, 8);
    content::TgaLayout layout;
    layout.depth = 8;
    layout.id = "an identification field";
    layout.mapLength = 256;
    layout.mapEntryBits = 24;
    Put("mapped.tga", content::TgaFromImage(picture, layout));
    layout.mapEntryBits = 15; // entries of two bytes
    Put("mapped15.tga", content::TgaFromImage(picture, layout));
    for (const char* name : {"mapped.tga", "mapped15.tga"})
    {
        Image loaded;
        ASSERT_TRUE(loaded.Load(log.get(), files.get(), name)) << name;
        EXPECT_EQ(loaded.GetBitsPerPixel(), 8u);
        EXPECT_EQ(PixelBytes(loaded), PixelBytes(picture)) << name;
    }
}

TEST_F(ImageFiles, ReadersAndWritersNameTheMissingFile)
{
    Image image;
    MakeTestPicture(image, 2, 2, 24);
    for (const char* name : {"missing.bmp", "missing.tga", "missing.jpg"})
    {
        log->ClearMessages();
        EXPECT_FALSE(image.Load(log.get(), files.get(), name));
        EXPECT_TRUE(image.IsEmpty());
        EXPECT_EQ(Entries(), std::vector<std::string>{ErrorEntry("Failed to open \"" + RootPath(name) + "\" file")});
    }
}

TEST_F(ImageFiles, SavingAnEmptyImageWritesNothing)
{
    for (const char* name : {"a.bmp", "a.tga", "a.jpg"})
    {
        Image fresh;
        EXPECT_FALSE(fresh.Save(files.get(), name)); // no log to tell
        Image cleared;
        cleared.Create(log.get(), 2, 2, 24);
        cleared.Clear();
        log->ClearMessages();
        EXPECT_FALSE(cleared.Save(files.get(), name));
        EXPECT_EQ(Entries(), std::vector<std::string>{ErrorEntry("Failed to save \"" + std::string(name) + "\"")});
        Image zero;
        zero.Create(log.get(), 0, 0, 24);
        EXPECT_FALSE(zero.Save(files.get(), name));
        EXPECT_FALSE(Exists(name));
    }
}
