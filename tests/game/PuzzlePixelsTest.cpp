#include "engine/core/Color.h"
#include "engine/render/Image.h"
#include "game/PuzzlePixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace Mirabel
{
namespace
{

using OrvaneEngine::Image;

TEST(PuzzlePixelsTest, MaskBitsAreReadLowBitFirstAndBitsPastThePiecesAreIgnored)
{
    // 3 x 3 = 9 pixels: two bytes, of the second only bit 0 counts.
    const std::uint8_t packed[2] = {0b1010'0101, 0xFF};
    const std::vector<std::uint8_t> mask = PuzzlePixels::UnpackMask(packed, 9);
    EXPECT_EQ(mask, (std::vector<std::uint8_t>{1, 0, 1, 0, 0, 1, 0, 1, 1}));

    // Bit p is pixel (p mod w, p div w): a single bit 5 of a 4-wide piece is
    // column 1 of row 1.
    PuzzleLayout::Piece piece;
    piece.x = 10;
    piece.y = 20;
    piece.width = 4;
    piece.height = 2;
    const std::uint8_t single[1] = {1 << 5};
    piece.mask = PuzzlePixels::UnpackMask(single, 8);
    ASSERT_EQ(piece.mask[1 * 4 + 1], 1);
}

TEST(PuzzlePixelsTest, SamplePointsTakeEveryThirdPixelInsideTheMaskColumnByColumn)
{
    PuzzleLayout::Piece piece;
    piece.x = 5;
    piece.y = 7;
    piece.width = 4;
    piece.height = 4;
    piece.mask.assign(16, 1);
    const std::vector<OrvaneEngine::Vector2> full = PuzzlePixels::SamplePoints(piece);
    const float expected[4][2] = {{5, 7}, {5, 10}, {8, 7}, {8, 10}};
    ASSERT_EQ(full.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
    {
        EXPECT_EQ(full[i].x, expected[i][0]) << i;
        EXPECT_EQ(full[i].y, expected[i][1]) << i;
    }

    piece.mask.assign(16, 0);
    EXPECT_TRUE(PuzzlePixels::SamplePoints(piece).empty());
    // Only the sampled pixel (3, 3) counts, not its neighbours.
    piece.mask[3 * 4 + 2] = 1;
    piece.mask[3 * 4 + 3] = 1;
    const std::vector<OrvaneEngine::Vector2> one = PuzzlePixels::SamplePoints(piece);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].x, 8.0f);
    EXPECT_EQ(one[0].y, 10.0f);
}

// The float formula equals (6c + 8(c0 + c1 + c2)) / 30 for every colour; a
// wrong weighting or a rounding instead of a truncation shows on these.
TEST(PuzzlePixelsTest, DesaturationPullsEachChannelTowardsTheMeanAndTruncates)
{
    const struct
    {
        std::uint8_t in[3];
        std::uint8_t out[3];
    } cases[] = {
        {{30, 60, 90}, {54, 60, 66}},
        {{255, 255, 255}, {255, 255, 255}},
        {{0, 0, 0}, {0, 0, 0}},
        {{255, 0, 0}, {119, 68, 68}},
        {{1, 2, 4}, {2, 2, 2}},
        {{200, 10, 47}, {108, 70, 77}},
    };
    Image source;
    source.Create(nullptr, static_cast<std::uint32_t>(std::size(cases)), 1, 24);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        std::copy(cases[i].in, cases[i].in + 3, source.GetPixels() + i * 3);
    Image grey;
    PuzzlePixels::Desaturate(source, grey);
    ASSERT_EQ(grey.GetBitsPerPixel(), 24u);
    for (std::size_t i = 0; i < std::size(cases); ++i)
    {
        for (int c = 0; c < 3; ++c)
        {
            const int sum = cases[i].in[0] + cases[i].in[1] + cases[i].in[2];
            const int exact = (6 * cases[i].in[c] + 8 * sum) / 30;
            EXPECT_EQ(grey.GetPixels()[i * 3 + static_cast<std::size_t>(c)], cases[i].out[c]) << i << " " << c;
            EXPECT_EQ(cases[i].out[c], exact) << i << " " << c;
        }
    }
}

// A 4 x 3 picture whose pixel (x, y) holds (x, y, 100); the piece covers
// columns 1-2 of rows 1-2 with its top-right pixel outside the mask.
TEST(PuzzlePixelsTest, PieceImagesTakeTheirRectangleBottomUpWithOpacityFromMaskAndEdges)
{
    Image picture;
    picture.Create(nullptr, 4, 3, 24);
    std::vector<std::uint8_t> edges(12, 0);
    for (std::uint8_t y = 0; y < 3; ++y)
    {
        for (std::uint8_t x = 0; x < 4; ++x)
        {
            std::uint8_t* p = picture.GetPixels() + (y * 4 + x) * 3;
            p[0] = x;
            p[1] = y;
            p[2] = 100;
            edges[y * 4u + x] = static_cast<std::uint8_t>(10 * x + y);
        }
    }
    PuzzleLayout::Piece piece;
    piece.x = 1;
    piece.y = 1;
    piece.width = 2;
    piece.height = 2;
    piece.mask = {1, 1, 1, 0};
    Image image;
    PuzzlePixels::CutPieceImage(nullptr, picture, edges, piece, image);
    ASSERT_EQ(image.GetWidth(), 2u);
    ASSERT_EQ(image.GetHeight(), 2u);
    ASSERT_EQ(image.GetBitsPerPixel(), 32u);
    for (std::uint8_t r = 0; r < 2; ++r)
    {
        for (std::uint8_t c = 0; c < 2; ++c)
        {
            const std::uint8_t* p = image.GetPixels() + (r * 2 + c) * 4;
            const int x = 1 + c;
            const int y = 1 + r;
            EXPECT_EQ(p[0], x);
            EXPECT_EQ(p[1], y);
            EXPECT_EQ(p[2], 100);
            const int alpha = (r == 1 && c == 1) ? 0 : 255 - (10 * x + y);
            EXPECT_EQ(p[3], alpha) << int{r} << "," << int{c};
        }
    }
}

TEST(PuzzlePixelsTest, BoardImagesHoldThePictureAtTheBottomLeftAndFillTheRest)
{
    Image picture;
    picture.Create(nullptr, 3, 2, 24);
    std::fill(picture.GetPixels(), picture.GetPixels() + 18, std::uint8_t{40});
    const std::vector<std::uint8_t> edges{0, 128, 255, 7, 8, 9};

    Image overlay;
    PuzzlePixels::MakeOverlay(nullptr, edges, 3, 2, OrvaneEngine::Color(0.0f, 1.0f, 0.0f, 1.0f), overlay);
    ASSERT_EQ(overlay.GetWidth(), 1024u);
    ASSERT_EQ(overlay.GetHeight(), 512u);
    const std::uint8_t* o = overlay.GetPixels();
    EXPECT_EQ(o[1 * 4 + 3], 128);
    EXPECT_EQ(o[2 * 4 + 3], 255);
    EXPECT_EQ(o[(1024 + 2) * 4 + 3], 9);
    EXPECT_EQ(o[(1024 + 3) * 4 + 3], 255) << "beyond the picture";
    EXPECT_EQ(o[(2 * 1024) * 4 + 3], 255) << "above the picture";
    EXPECT_EQ(o[0 * 4 + 0], 0);
    EXPECT_EQ(o[0 * 4 + 1], 255);

    Image board;
    PuzzlePixels::MakeBoardPicture(picture, board);
    ASSERT_EQ(board.GetWidth(), 1024u);
    ASSERT_EQ(board.GetBitsPerPixel(), 24u);
    EXPECT_EQ(board.GetPixels()[(1024 + 2) * 3], 40);
    EXPECT_EQ(board.GetPixels()[(1024 + 3) * 3], 255);
    EXPECT_EQ(board.GetPixels()[(2 * 1024) * 3], 255);
}

} // namespace
} // namespace Mirabel
