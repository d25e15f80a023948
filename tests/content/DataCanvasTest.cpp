#include "content/DataCanvas.h"
#include "engine/render/Image.h"
#include "tests/support/ModelServices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace corvellan::content
{
namespace
{

const Rgba Red{1.0f, 0.0f, 0.0f, 1.0f};

// The same square drawn both ways round, and as a rounded box of radius 0:
// full inside, empty outside, and a partial pixel on an edge that falls
// across the middle of a pixel.
TEST(DataCanvasTest, ShapesCoverTheirInsideWholeAndTheirEdgesInPart)
{
    const std::vector<std::vector<Point2>> squares = {
        {{2, 2}, {10.5f, 2}, {10.5f, 10}, {2, 10}},
        {{2, 2}, {2, 10}, {10.5f, 10}, {10.5f, 2}},
    };
    for (const auto& square : squares)
    {
        DataCanvas canvas(16, 16);
        canvas.FillPolygon(square, Red);
        EXPECT_FLOAT_EQ(canvas.Pixel(5, 5).a, 1.0f);
        EXPECT_FLOAT_EQ(canvas.Pixel(5, 5).r, 1.0f);
        EXPECT_FLOAT_EQ(canvas.Pixel(13, 5).a, 0.0f);
        EXPECT_FLOAT_EQ(canvas.Pixel(5, 12).a, 0.0f);
        EXPECT_NEAR(canvas.Pixel(10, 5).a, 0.5f, 0.01f);
    }
    DataCanvas box(16, 16);
    box.FillRoundedBox(2, 2, 10.5f, 10, 0, Red);
    EXPECT_FLOAT_EQ(box.Pixel(5, 5).a, 1.0f);
    EXPECT_NEAR(box.Pixel(10, 5).a, 0.5f, 0.01f);
    EXPECT_FLOAT_EQ(box.Pixel(13, 5).a, 0.0f);

    DataCanvas ring(32, 32);
    ring.StrokeCircle({16.5f, 16.5f}, 10, 2, Red);
    EXPECT_FLOAT_EQ(ring.Pixel(16, 16).a, 0.0f);
    EXPECT_FLOAT_EQ(ring.Pixel(26, 16).a, 1.0f);
}

// Half-transparent paint over an opaque pixel mixes the colours and keeps
// the pixel opaque; over an empty one it keeps its own colour.
TEST(DataCanvasTest, PaintGoesOverWhatLiesBelow)
{
    DataCanvas canvas(2, 1, {0.0f, 0.0f, 1.0f, 1.0f});
    canvas.Blend(1, 0, {0, 0, 0, 0});
    canvas.Blend(0, 0, {1.0f, 0.0f, 0.0f, 0.5f});
    EXPECT_NEAR(canvas.Pixel(0, 0).r, 0.5f, 1e-5f);
    EXPECT_NEAR(canvas.Pixel(0, 0).b, 0.5f, 1e-5f);
    EXPECT_FLOAT_EQ(canvas.Pixel(0, 0).a, 1.0f);

    DataCanvas empty(1, 1);
    empty.Blend(0, 0, {0.0f, 1.0f, 0.0f, 0.25f});
    EXPECT_FLOAT_EQ(empty.Pixel(0, 0).g, 1.0f);
    EXPECT_FLOAT_EQ(empty.Pixel(0, 0).a, 0.25f);
}

// The files come out as the engine's readers take them: the canvas's top
// row is the picture's top, and the alpha survives in the TGA and as the
// grey of the alpha JPEG.
TEST(DataCanvasTest, FilesReadBackTheRightWayUpThroughTheEngine)
{
    DataCanvas canvas(16, 8, {0.0f, 0.0f, 0.0f, 0.0f});
    canvas.FillRoundedBox(0, 0, 16, 4, 0, {1.0f, 1.0f, 1.0f, 1.0f});

    test::ModelServices services;
    const auto write = [&](const std::string& name, const std::string& bytes) {
        const std::string path = services.DataPath(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    };
    write("top.tga", canvas.Tga());
    write("top.jpg", canvas.Jpeg());
    write("top_alpha.jpg", canvas.AlphaJpeg());

    OrvaneEngine::Image tga;
    ASSERT_TRUE(tga.Load(&services.log, &services.files, "data\\top.tga"));
    ASSERT_EQ(tga.GetBitsPerPixel(), 32u);
    // Engine row 0 is the bottom: transparent; the last row is the white top.
    EXPECT_EQ(tga.GetPixels()[3], 0);
    EXPECT_EQ(tga.GetPixels()[(7 * 16) * 4 + 3], 255);
    EXPECT_EQ(tga.GetPixels()[(7 * 16) * 4 + 0], 255);

    for (const char* name : {"data\\top.jpg", "data\\top_alpha.jpg"})
    {
        OrvaneEngine::Image jpeg;
        ASSERT_TRUE(jpeg.Load(&services.log, &services.files, name)) << name;
        const std::uint32_t bytes = jpeg.GetBitsPerPixel() / 8;
        EXPECT_LT(jpeg.GetPixels()[0], 40) << name;
        EXPECT_GT(jpeg.GetPixels()[(7 * 16) * bytes], 215) << name;
    }
    EXPECT_TRUE(services.Entries(2).empty());
}

TEST(DataCanvasTest, NoiseIsSmoothRepeatableAndInRange)
{
    for (float x = -3.0f; x < 3.0f; x += 0.37f)
    {
        const float v = DataCanvas::Fractal(x, x * 0.5f, 7);
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, 1.0f);
        EXPECT_EQ(v, DataCanvas::Fractal(x, x * 0.5f, 7));
        EXPECT_LT(std::abs(DataCanvas::ValueNoise(x + 0.01f, 1, 3) - DataCanvas::ValueNoise(x, 1, 3)), 0.05f);
    }
    const DataCanvas::Cell cell = DataCanvas::Voronoi(40, 40, 16, 5);
    EXPECT_LE(cell.nearest, cell.second);
    EXPECT_EQ(cell.id, DataCanvas::Voronoi(40, 40, 16, 5).id);
}

} // namespace
} // namespace corvellan::content
