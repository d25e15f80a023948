#include "tests/engine/render/ImageTestSupport.h"

#include <gtest/gtest.h>

using OrvaneEngine::CubicInterpolate;
using OrvaneEngine::Image;
using namespace corvellan::test;

namespace
{

Bytes Resampled(const Bytes& bytes, std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                std::uint32_t newWidth, std::uint32_t newHeight, std::uint32_t filter)
{
    Image source;
    MakeImage(source, width, height, bits, bytes);
    Image target;
    source.Resample(newWidth, newHeight, filter, target);
    EXPECT_EQ(target.GetWidth(), newWidth);
    EXPECT_EQ(target.GetHeight(), newHeight);
    EXPECT_EQ(target.GetBitsPerPixel(), bits);
    return PixelBytes(target);
}

} // namespace

TEST(ImageResample, BilinearSamplesTheLastRowJustBelowTheTop)
{
    // 2 x 2, only the top-right byte lit.
    const Bytes result = Resampled({0, 0, 0, 255}, 2, 2, 8, 4, 4, 1);
    EXPECT_EQ(result[15], 254);
    EXPECT_EQ(result[0], 0);
}

TEST(ImageResample, SameSizeIsAnExactCopy)
{
    Bytes bytes(5 * 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); ++i)
    {
        bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    for (std::uint32_t filter = 0; filter < 3; ++filter)
    {
        EXPECT_EQ(Resampled(bytes, 5, 3, 32, 5, 3, filter), bytes) << filter;
    }
}

TEST(ImageResample, NearestPicksWholeSourcePixels)
{
    EXPECT_EQ(Resampled({10, 20, 30}, 3, 1, 8, 5, 1, 0), (Bytes{10, 10, 20, 20, 30}));
    // 24 bits: every byte of a pixel comes from the same source pixel.
    EXPECT_EQ(Resampled({1, 2, 3, 4, 5, 6}, 2, 1, 24, 3, 1, 0), (Bytes{1, 2, 3, 1, 2, 3, 4, 5, 6}));
}

TEST(ImageResample, CubicIsClampedAcrossAStep)
{
    const Bytes step = {0, 0, 0, 255, 255};
    // The raw filter dips below 0 before the step and overshoots 255 after it.
    EXPECT_LT(CubicInterpolate(0, 0, 0, 255, 32), 0);
    EXPECT_GT(CubicInterpolate(0, 255, 255, 255, 96), 255);
    const Bytes result = Resampled(step, 5, 1, 8, 17, 1, 2);
    EXPECT_EQ(result[5], 0);   // fraction 32 between columns 1 and 2
    EXPECT_EQ(result[15], 255); // fraction 96 between columns 3 and 4
    EXPECT_EQ(result[0], 0);
    EXPECT_EQ(result[16], 255);

    // A constant picture stays constant under every filter and size.
    for (std::uint32_t filter = 0; filter < 3; ++filter)
    {
        for (const auto& [w, h] : {std::pair{7u, 3u}, std::pair{2u, 9u}, std::pair{1u, 1u}, std::pair{16u, 16u}})
        {
            EXPECT_EQ(Resampled(Bytes(5 * 4 * 3, 77), 5, 4, 24, w, h, filter), Bytes(std::size_t{w} * h * 3, 77));
        }
    }
}

TEST(ImageResample, CubicInterpolateFormula)
{
    EXPECT_EQ(CubicInterpolate(0, 100, 200, 300, 0), 100);
    EXPECT_EQ(CubicInterpolate(0, 100, 200, 300, 64), 150);
    EXPECT_EQ(CubicInterpolate(5, 5, 5, 5, 127), 5);
    // Arithmetic shift: a negative result rounds toward minus infinity.
    EXPECT_EQ(CubicInterpolate(0, -1, -1, 0, 0), -1);
}

// Sides of 1 map to source index 0 with fraction 0; a one-row source is never
// read below row 0; all of it clean under the sanitizers.
TEST(ImageResample, DegenerateSizes)
{
    struct Case
    {
        std::uint32_t width, height;
        Bytes source;
        std::uint32_t newWidth, newHeight;
        Bytes nearest, bilinear, cubic;
    };
    const Case cases[] = {
        {1, 3, {0, 100, 200}, 1, 4, {0, 0, 100, 200}, {0, 66, 133, 199}, {0, 51, 147, 200}},
        {3, 1, {0, 100, 200}, 4, 1, {0, 0, 100, 200}, {0, 66, 133, 200}, {0, 51, 147, 200}},
        {2, 2, {9, 1, 2, 3}, 1, 1, {9}, {9}, {9}},
        {4, 1, {9, 1, 2, 3}, 1, 3, {9, 9, 9}, {9, 9, 9}, {9, 9, 9}},
        {1, 1, {42}, 3, 3, Bytes(9, 42), Bytes(9, 42), Bytes(9, 42)},
        {1, 2, {10, 20}, 1, 1, {10}, {10}, {10}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " -> " + std::to_string(c.newWidth)
                     + "x" + std::to_string(c.newHeight));
        EXPECT_EQ(Resampled(c.source, c.width, c.height, 8, c.newWidth, c.newHeight, 0), c.nearest);
        EXPECT_EQ(Resampled(c.source, c.width, c.height, 8, c.newWidth, c.newHeight, 1), c.bilinear);
        EXPECT_EQ(Resampled(c.source, c.width, c.height, 8, c.newWidth, c.newHeight, 2), c.cubic);
    }
}

TEST(ImageResample, WideImagesMapWithoutOverflow)
{
    // (W - 1) x x x 256 passes 2^32 from about 4096 pixels on.
    Bytes ramp(5000);
    for (std::size_t i = 0; i < ramp.size(); ++i)
    {
        ramp[i] = static_cast<std::uint8_t>(i);
    }
    for (std::uint32_t filter = 0; filter < 3; ++filter)
    {
        const Bytes row = Resampled(ramp, 5000, 1, 8, 4999, 1, filter);
        EXPECT_EQ(row[4998], ramp[4999]) << filter;
        EXPECT_EQ(row[0], ramp[0]) << filter;
    }
    const Bytes column = Resampled(ramp, 1, 5000, 8, 1, 4999, 0);
    EXPECT_EQ(column[4998], ramp[4999]);
    EXPECT_EQ(column[2500], ramp[2500]);
}

TEST(ImageResample, ResizeWorksInPlace)
{
    auto log = MakeMemoryLog();
    Image image;
    MakeImage(image, 2, 2, 24, Bytes(12, 8), log.get());
    image.Resize(4, 1, 1);
    EXPECT_EQ(image.GetWidth(), 4u);
    EXPECT_EQ(image.GetHeight(), 1u);
    EXPECT_EQ(image.GetBitsPerPixel(), 24u);
    EXPECT_EQ(image.GetLog(), log.get());
    EXPECT_EQ(PixelBytes(image), Bytes(12, 8));
}
