#include "content/HostileImages.h"
#include "content/JpegFixtures.h"
#include "content/PhotoPicture.h"
#include "tests/engine/render/ImageFileFixture.h"

#include <jpeglib.h>

#include <atomic>
#include <cstdlib>
#include <thread>

using OrvaneEngine::Image;
using namespace corvellan::test;
namespace content = corvellan::content;

namespace
{

int LargestDifference(const Bytes& a, const Bytes& b)
{
    EXPECT_EQ(a.size(), b.size());
    int largest = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    {
        largest = std::max(largest, std::abs(int{a[i]} - int{b[i]}));
    }
    return largest;
}

// The first scanline stored in a JPEG file, decoded by the library alone.
Bytes FirstScanline(const std::string& jpeg)
{
    jpeg_decompress_struct decompressor{};
    jpeg_error_mgr errors{};
    decompressor.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decompressor);
    jpeg_mem_src(&decompressor, reinterpret_cast<const unsigned char*>(jpeg.data()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&decompressor, TRUE);
    jpeg_start_decompress(&decompressor);
    Bytes row(std::size_t{decompressor.output_width} * static_cast<std::size_t>(decompressor.output_components));
    JSAMPROW rows[] = {row.data()};
    jpeg_read_scanlines(&decompressor, rows, 1);
    jpeg_abort_decompress(&decompressor);
    jpeg_destroy_decompress(&decompressor);
    return row;
}

// Top half red, bottom half blue, with a soft gradient in green.
void MakeRedOverBlue(Image& image, std::uint32_t bits, OrvaneEngine::MessageManager* log)
{
    image.Create(log, 16, 16, bits);
    const std::uint32_t bytes = bits / 8;
    for (std::uint32_t y = 0; y < 16; ++y)
    {
        for (std::uint32_t x = 0; x < 16; ++x)
        {
            std::uint8_t* p = image.GetPixels() + (y * 16 + x) * bytes;
            const bool top = y >= 8;
            p[0] = top ? 230 : 10;
            p[1] = static_cast<std::uint8_t>(20 + x);
            p[2] = top ? 10 : 230;
            if (bytes == 4)
            {
                p[3] = static_cast<std::uint8_t>(x * 16);
            }
        }
    }
}

} // namespace

class ImageJpeg : public ImageFileFixture
{
};

TEST_F(ImageJpeg, RoundTripKeepsTheTopRowFirst)
{
    for (const std::uint32_t bits : {24u, 32u})
    {
        SCOPED_TRACE(bits);
        Image picture;
        MakeRedOverBlue(picture, bits, log.get());
        Image original;
        original.CopyFrom(picture);
        ASSERT_TRUE(picture.SaveJPEG(files.get(), "a.jpg", 100));
        // The image itself keeps its depth; the file is written from a 24-bit copy.
        EXPECT_EQ(picture.GetBitsPerPixel(), bits);
        EXPECT_EQ(PixelBytes(picture), PixelBytes(original));

        const Bytes first = FirstScanline(Get("a.jpg"));
        ASSERT_EQ(first.size(), 48u);
        EXPECT_NEAR(first[0], 230, 8);
        EXPECT_NEAR(first[2], 10, 8);

        Image loaded;
        ASSERT_TRUE(loaded.Load(log.get(), files.get(), "a.jpg"));
        EXPECT_EQ(loaded.GetBitsPerPixel(), 24u);
        original.ConvertBitsPerPixel(24);
        // Away from the edge between the halves, quality 100 is all but exact.
        const Bytes all = PixelBytes(loaded);
        const Bytes allWanted = PixelBytes(original);
        const Bytes top(all.begin() + 15 * 48, all.end());
        const Bytes topWanted(allWanted.begin() + 15 * 48, allWanted.end());
        EXPECT_LE(LargestDifference(top, topWanted), 4);
        EXPECT_NEAR(PixelAt(loaded, 0, 0)[0], 10, 4);
        EXPECT_NEAR(PixelAt(loaded, 0, 0)[2], 230, 4);
    }

    Image grey;
    content::MakePhotoPicture(grey, 40, 24, 9);
    grey.ConvertBitsPerPixel(8);
    ASSERT_TRUE(grey.SaveJPEG(files.get(), "grey.jpg", 100));
    Image loaded;
    ASSERT_TRUE(loaded.Load(log.get(), files.get(), "grey.jpg"));
    EXPECT_EQ(loaded.GetBitsPerPixel(), 8u);
    EXPECT_LE(LargestDifference(PixelBytes(loaded), PixelBytes(grey)), 2);
    EXPECT_TRUE(Entries().empty());
    EXPECT_TRUE(Entries(1).empty());
}

TEST_F(ImageJpeg, EveryEncodingDecodesLikeTheBaseline)
{
    Image picture;
    content::MakePhotoPicture(picture, 70, 45, 2);
    Put("baseline.jpg", content::Jpeg(picture, content::JpegOptions{}));
    Image baseline;
    ASSERT_TRUE(baseline.Load(log.get(), files.get(), "baseline.jpg"));

    content::JpegOptions progressive;
    progressive.progressive = true;
    content::JpegOptions restart;
    restart.restartInterval = 3;
    content::JpegOptions optimised;
    optimised.optimiseHuffman = true;
    content::JpegOptions application;
    application.appSegmentBytes = 10 * 1024; // skipped across several 4096-byte refills
    const std::pair<const char*, content::JpegOptions> variants[] = {
        {"progressive", progressive}, {"restart", restart}, {"optimised", optimised}, {"application", application}};
    for (const auto& [name, options] : variants)
    {
        SCOPED_TRACE(name);
        const std::string bytes = content::Jpeg(picture, options);
        ASSERT_FALSE(bytes.empty());
        Put("variant.jpg", bytes);
        Image loaded;
        ASSERT_TRUE(loaded.Load(log.get(), files.get(), "variant.jpg"));
        EXPECT_EQ(loaded.GetWidth(), 70u);
        EXPECT_EQ(loaded.GetHeight(), 45u);
        EXPECT_LE(LargestDifference(PixelBytes(loaded), PixelBytes(baseline)), 1);
    }
    EXPECT_TRUE(Entries().empty());
    EXPECT_TRUE(Entries(1).empty());
}

TEST_F(ImageJpeg, CutFileDecodesUpToItsEndWithAWarning)
{
    for (const auto& file : content::HostileImageFiles())
    {
        if (file.name != "cut_in_scan.jpg")
        {
            continue;
        }
        Put(file.name, file.bytes);
        Image image;
        EXPECT_TRUE(image.Load(log.get(), files.get(), file.name));
        EXPECT_EQ(image.GetWidth(), 48u);
        EXPECT_EQ(image.GetHeight(), 32u);
        EXPECT_TRUE(Entries().empty());
        const auto warnings = Entries(1);
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings[0].rfind("\nWarning: ", 0), 0u) << warnings[0];
        return;
    }
    FAIL() << "no cut file among the fixtures";
}

// Each call decodes with its own error record: a damaged file on one thread
// never disturbs a good one on another.
TEST_F(ImageJpeg, TwoThreadsDecodeAtOnce)
{
    Image picture;
    content::MakePhotoPicture(picture, 64, 48, 4);
    Put("good.jpg", content::Jpeg(picture, content::JpegOptions{}));
    for (const auto& file : content::HostileImageFiles())
    {
        if (file.name == "garbage_after_soi.jpg")
        {
            Put("bad.jpg", file.bytes);
        }
    }
    std::atomic<int> goodLoads{0};
    std::atomic<int> badLoads{0};
    auto work = [&] {
        OrvaneEngine::FileManager own(nullptr, folder.Path(), "");
        for (int i = 0; i < 50; ++i)
        {
            Image bad;
            if (!bad.Load(log.get(), &own, "bad.jpg") && bad.IsEmpty())
            {
                ++badLoads;
            }
            Image good;
            if (good.Load(log.get(), &own, "good.jpg") && good.GetWidth() == 64 && good.GetHeight() == 48)
            {
                ++goodLoads;
            }
        }
    };
    std::thread first(work);
    std::thread second(work);
    first.join();
    second.join();
    EXPECT_EQ(goodLoads.load(), 100);
    EXPECT_EQ(badLoads.load(), 100);
    EXPECT_EQ(Entries(), std::vector<std::string>(100, ErrorEntry("Incorrect \"bad.jpg\" file format")));
}
