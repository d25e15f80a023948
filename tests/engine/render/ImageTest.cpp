#include "engine/core/Color.h"
#include "tests/engine/render/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <new>

using OrvaneEngine::Color;
using OrvaneEngine::Image;
using namespace corvellan::test;

TEST(Image, NewImageIsEmptyWithoutLogOrSize)
{
    Image image;
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.GetLog(), nullptr);
    EXPECT_EQ(image.GetWidth(), 0u);
    EXPECT_EQ(image.GetHeight(), 0u);
    EXPECT_EQ(image.GetBitsPerPixel(), 0u);
    EXPECT_EQ(image.GetPixels(), nullptr);
}

TEST(Image, EmptyFlagAndPixelsNeverDisagree)
{
    Image image;
    image.SetEmpty(false);
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.GetPixels(), nullptr);

    image.Create(nullptr, 2, 2, 24);
    EXPECT_FALSE(image.IsEmpty());
    EXPECT_EQ(image.GetPixels(), image.GetPixelData());
    image.SetEmpty(true);
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.GetPixels(), nullptr);

    // Re-creating frees the previous buffer (the leak checker of the sanitizer build sees it).
    for (int i = 0; i < 3; ++i)
    {
        image.Create(nullptr, 4, 4, 32);
    }
    image.Clear();
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.GetWidth(), 0u);
}

TEST(Image, CreateRefusesSizesThatCannotBeHeld)
{
    Image image;
    EXPECT_THROW(image.Create(nullptr, 0xFFFFFFFFu, 0xFFFFFFFFu, 32), std::bad_alloc);
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.GetPixels(), nullptr);
}

TEST(Image, DepthConversionTable)
{
    struct Case
    {
        std::uint32_t from;
        Bytes source;
        std::uint32_t to;
        Bytes expected;
    };
    const Case cases[] = {
        {24, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}, 8, {56, 180, 18, 255}},
        {32, {10, 20, 30, 77, 1, 2, 3, 4, 0, 0, 0, 0, 9, 9, 9, 200}, 8, {77, 4, 0, 200}},
        {8, {0, 7, 128, 255}, 24, {0, 0, 0, 7, 7, 7, 128, 128, 128, 255, 255, 255}},
        {8, {0, 7, 128, 255}, 32, {0, 0, 0, 0, 7, 7, 7, 7, 128, 128, 128, 128, 255, 255, 255, 255}},
        {24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 32, {1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 255, 10, 11, 12, 255}},
        {32, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, 24, {1, 2, 3, 5, 6, 7, 9, 10, 11, 13, 14, 15}},
        {24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.from) + " -> " + std::to_string(c.to));
        Image image;
        MakeImage(image, 2, 2, c.from, c.source);
        image.ConvertBitsPerPixel(c.to);
        EXPECT_EQ(image.GetBitsPerPixel(), c.to);
        EXPECT_EQ(image.GetWidth(), 2u);
        EXPECT_EQ(image.GetHeight(), 2u);
        EXPECT_EQ(PixelBytes(image), c.expected);
    }
}

TEST(Image, FlipAndSwap)
{
    Image image;
    MakeImage(image, 1, 3, 24, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    image.FlipVertical();
    EXPECT_EQ(PixelBytes(image), (Bytes{7, 8, 9, 4, 5, 6, 1, 2, 3}));
    image.SwapRedBlue();
    EXPECT_EQ(PixelBytes(image), (Bytes{9, 8, 7, 6, 5, 4, 3, 2, 1}));

    MakeImage(image, 2, 1, 32, {1, 2, 3, 4, 5, 6, 7, 8});
    image.SwapRedBlue();
    EXPECT_EQ(PixelBytes(image), (Bytes{3, 2, 1, 4, 7, 6, 5, 8}));

    MakeImage(image, 3, 1, 8, {1, 2, 3});
    image.SwapRedBlue();
    EXPECT_EQ(PixelBytes(image), (Bytes{1, 2, 3}));
}

// Each operation that takes an output image leaves its source alone, gives the
// output the source's log, and without an output does the same thing in place.
TEST(Image, OutputImageRule)
{
    auto log = MakeMemoryLog();
    Image small;
    MakeImage(small, 2, 2, 32, Bytes(16, 99));
    const std::vector<std::pair<const char*, std::function<void(Image&, Image*)>>> operations = {
        {"flip", [](Image& i, Image* o) { i.FlipVertical(o); }},
        {"swap", [](Image& i, Image* o) { i.SwapRedBlue(o); }},
        {"convert", [](Image& i, Image* o) { i.ConvertBitsPerPixel(8, o); }},
        {"convert same", [](Image& i, Image* o) { i.ConvertBitsPerPixel(24, o); }},
        {"paste", [&](Image& i, Image* o) { i.Paste(1, 1, small, o); }},
        {"fill", [](Image& i, Image* o) { i.Fill(Color(0.5f, 0.25f, 1.0f, 1.0f), o); }},
        {"resample", [](Image& i, Image* o) {
             if (o != nullptr)
             {
                 i.Resample(5, 2, 1, *o);
             }
             else
             {
                 i.Resize(5, 2, 1);
             }
         }},
    };
    const Bytes original = {10, 20, 30, 40, 50, 60, 70, 80, 90, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    for (const auto& [name, operation] : operations)
    {
        SCOPED_TRACE(name);
        Image source;
        MakeImage(source, 3, 2, 24, original, log.get());
        Image output;
        operation(source, &output);
        EXPECT_EQ(PixelBytes(source), original);
        EXPECT_EQ(source.GetBitsPerPixel(), 24u);
        EXPECT_EQ(output.GetLog(), log.get());
        ASSERT_FALSE(output.IsEmpty());

        operation(source, nullptr);
        EXPECT_EQ(source.GetLog(), log.get());
        EXPECT_EQ(source.GetWidth(), output.GetWidth());
        EXPECT_EQ(source.GetHeight(), output.GetHeight());
        EXPECT_EQ(source.GetBitsPerPixel(), output.GetBitsPerPixel());
        EXPECT_EQ(PixelBytes(source), PixelBytes(output));
    }
}

TEST(Image, PasteClipsAtTheRightAndTop)
{
    Image target;
    MakeImage(target, 64, 64, 24, Bytes(64 * 64 * 3, 0));
    Image source;
    source.Create(nullptr, 8, 8, 24);
    for (std::uint32_t y = 0; y < 8; ++y)
    {
        for (std::uint32_t x = 0; x < 8; ++x)
        {
            std::uint8_t* p = source.GetPixels() + (y * 8 + x) * 3;
            p[0] = static_cast<std::uint8_t>(x + 1);
            p[1] = static_cast<std::uint8_t>(y + 1);
            p[2] = 200;
        }
    }
    target.Paste(60, 60, source);
    for (std::uint32_t y = 0; y < 64; ++y)
    {
        for (std::uint32_t x = 0; x < 64; ++x)
        {
            const bool inside = x >= 60 && y >= 60;
            const Bytes expected = inside ? Bytes{static_cast<std::uint8_t>(x - 59), static_cast<std::uint8_t>(y - 59), 200}
                                          : Bytes{0, 0, 0};
            ASSERT_EQ(PixelAt(target, x, y), expected) << x << "," << y;
        }
    }

    const Bytes before = PixelBytes(target);
    const std::pair<std::uint32_t, std::uint32_t> outside[] = {
        {64, 0}, {0, 64}, {4294967295u, 0}, {0, 4294967295u}, {4294967295u, 4294967295u}};
    for (const auto& [x, y] : outside)
    {
        target.Paste(x, y, source);
        EXPECT_EQ(PixelBytes(target), before) << x << "," << y;
    }
}

TEST(Image, PasteConvertsACopyOfTheSource)
{
    Image target;
    MakeImage(target, 2, 1, 24, {0, 0, 0, 0, 0, 0});
    Image source;
    MakeImage(source, 1, 1, 32, {1, 2, 3, 4});
    target.Paste(1, 0, source);
    EXPECT_EQ(PixelBytes(target), (Bytes{0, 0, 0, 1, 2, 3}));
    EXPECT_EQ(source.GetBitsPerPixel(), 32u);
    EXPECT_EQ(PixelBytes(source), (Bytes{1, 2, 3, 4}));

    // Pasting an image into itself reads from a copy.
    Image self;
    MakeImage(self, 2, 2, 8, {1, 2, 3, 4});
    self.Paste(1, 1, self);
    EXPECT_EQ(PixelBytes(self), (Bytes{1, 2, 3, 1}));
}

TEST(Image, FillStoresTheLowByteOfEveryFiniteValue)
{
    struct Case
    {
        std::uint32_t bits;
        Color color;
        Bytes expected;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {8, Color(1, 1, 1, 1), {255}},
        {8, Color(1, 0, 0, 1), {56}},
        {24, Color(1, 0.5f, 0, 1), {255, 127, 0}},
        {32, Color(0.2f, 0.4f, 0.6f, 0.8f), {51, 102, 153, 204}},
        {32, Color(nan, infinity, -infinity, 1e30f), {0, 0, 0, 0}},
        // 510 and -255 truncated, then their low 8 bits.
        {24, Color(2.0f, -1.0f, -0.001f, 1), {254, 1, 0}},
        {8, Color(nan, 0, 0, 1), {0}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.bits);
        Image image;
        image.Create(nullptr, 3, 2, c.bits);
        image.Fill(c.color);
        for (std::uint32_t y = 0; y < 2; ++y)
        {
            for (std::uint32_t x = 0; x < 3; ++x)
            {
                EXPECT_EQ(PixelAt(image, x, y), c.expected);
            }
        }
    }
}

TEST(Image, Checkerboard)
{
    auto log = MakeMemoryLog();
    Image image;
    image.MakeCheckerboard(log.get());
    EXPECT_EQ(image.GetWidth(), 64u);
    EXPECT_EQ(image.GetHeight(), 64u);
    EXPECT_EQ(image.GetBitsPerPixel(), 24u);
    EXPECT_EQ(image.GetLog(), log.get());
    for (std::uint32_t y = 0; y < 64; ++y)
    {
        for (std::uint32_t x = 0; x < 64; ++x)
        {
            const bool yellow = (x / 8 + y / 8) % 2 == 0;
            ASSERT_EQ(PixelAt(image, x, y), yellow ? (Bytes{255, 255, 0}) : (Bytes{0, 0, 0})) << x << "," << y;
        }
    }
}
