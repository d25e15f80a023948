#include "content/ImageFixtures.h"
#include "content/PuzzleCutter.h"
#include "content/PuzzleFileWriter.h"
#include "engine/render/Image.h"
#include "game/PuzzleFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace corvellan::content
{
namespace
{

struct Shape
{
    std::uint32_t width;
    std::uint32_t height;
    PuzzleCutOptions options;
};

PuzzleCutOptions Options(std::uint32_t columns, std::uint32_t rows, std::uint32_t seed, std::uint32_t blocked = 0,
                         std::uint32_t ramp = 0, bool apart = false)
{
    PuzzleCutOptions options;
    options.columns = columns;
    options.rows = rows;
    options.seed = seed;
    options.blocked = blocked;
    options.rampWidth = ramp;
    options.blockedApart = apart;
    return options;
}

const std::vector<Shape>& Shapes()
{
    static const std::vector<Shape> shapes{
        {160, 100, Options(3, 2, 1, 1)},       {160, 100, Options(3, 2, 2, 2, 1)},
        {300, 150, Options(10, 5, 3, 12, 2)},  {300, 150, Options(10, 5, 4, 10, 0, true)},
        {64, 32, Options(1, 1, 5)},            {97, 61, Options(7, 3, 6, 4, 3)},
        {1024, 512, Options(20, 10, 7, 30, 1)}};
    return shapes;
}

// The piece of every pixel as the masks say, -1 where none, -2 where several.
std::vector<int> Owners(const PuzzleFileRecord& record, std::uint32_t width, std::uint32_t height)
{
    std::vector<int> owner(std::size_t{width} * height, -1);
    for (std::size_t i = 0; i < record.pieces.size(); ++i)
    {
        const PuzzleFilePiece& piece = record.pieces[i];
        for (std::int32_t r = 0; r < piece.height; ++r)
        {
            for (std::int32_t c = 0; c < piece.width; ++c)
            {
                if (!piece.mask[static_cast<std::size_t>(r * piece.width + c)])
                    continue;
                int& at = owner[static_cast<std::size_t>(piece.y + r) * width + static_cast<std::size_t>(piece.x + c)];
                at = at == -1 ? static_cast<int>(i) : -2;
            }
        }
    }
    return owner;
}

TEST(PuzzleCutterTest, PiecesCoverThePictureOnceWithTightRectanglesAndTheirTouchingNeighbours)
{
    for (const Shape& shape : Shapes())
    {
        SCOPED_TRACE(std::to_string(shape.options.columns) + " x " + std::to_string(shape.options.rows) + " seed " +
                     std::to_string(shape.options.seed));
        PuzzleFileRecord record;
        ASSERT_EQ(PuzzleCutter::Cut(shape.width, shape.height, shape.options, record), "");
        ASSERT_EQ(record.pieces.size(), shape.options.columns * shape.options.rows);
        EXPECT_EQ(record.boardWidth, static_cast<float>(shape.width));
        EXPECT_EQ(record.boardHeight, static_cast<float>(shape.height));
        const std::vector<int> owner = Owners(record, shape.width, shape.height);
        for (int o : owner)
            ASSERT_GE(o, 0) << "a pixel in no piece or in several";

        std::vector<std::set<std::uint32_t>> touching(record.pieces.size());
        std::vector<std::int32_t> left(record.pieces.size(), 1 << 20), right(record.pieces.size(), -1);
        std::vector<std::int32_t> bottom(record.pieces.size(), 1 << 20), top(record.pieces.size(), -1);
        for (std::uint32_t y = 0; y < shape.height; ++y)
        {
            for (std::uint32_t x = 0; x < shape.width; ++x)
            {
                const auto own = static_cast<std::size_t>(owner[y * shape.width + x]);
                left[own] = std::min(left[own], static_cast<std::int32_t>(x));
                right[own] = std::max(right[own], static_cast<std::int32_t>(x));
                bottom[own] = std::min(bottom[own], static_cast<std::int32_t>(y));
                top[own] = std::max(top[own], static_cast<std::int32_t>(y));
                if (x + 1 < shape.width && owner[y * shape.width + x + 1] != owner[y * shape.width + x])
                {
                    touching[own].insert(static_cast<std::uint32_t>(owner[y * shape.width + x + 1]));
                    touching[static_cast<std::size_t>(owner[y * shape.width + x + 1])].insert(
                        static_cast<std::uint32_t>(own));
                }
                if (y + 1 < shape.height && owner[(y + 1) * shape.width + x] != owner[y * shape.width + x])
                {
                    touching[own].insert(static_cast<std::uint32_t>(owner[(y + 1) * shape.width + x]));
                    touching[static_cast<std::size_t>(owner[(y + 1) * shape.width + x])].insert(
                        static_cast<std::uint32_t>(own));
                }
            }
        }
        for (std::size_t i = 0; i < record.pieces.size(); ++i)
        {
            const PuzzleFilePiece& piece = record.pieces[i];
            EXPECT_EQ(piece.neighbours, std::vector<std::uint32_t>(touching[i].begin(), touching[i].end()))
                << "piece " << i;
            EXPECT_EQ(piece.x, left[i]) << "piece " << i;
            EXPECT_EQ(piece.y, bottom[i]) << "piece " << i;
            EXPECT_EQ(piece.x + piece.width - 1, right[i]) << "piece " << i;
            EXPECT_EQ(piece.y + piece.height - 1, top[i]) << "piece " << i;
        }
        // Numbered row by row from the bottom-left: piece 0 holds (0, 0), the
        // last the top-right corner.
        EXPECT_EQ(owner[0], 0);
        EXPECT_EQ(owner.back(), static_cast<int>(record.pieces.size() - 1));
        EXPECT_EQ(owner[shape.width - 1], static_cast<int>(shape.options.columns - 1));
    }
}

TEST(PuzzleCutterTest, EdgeMapsMarkEveryCutAndRampOffWithinTheGivenWidth)
{
    for (const Shape& shape : Shapes())
    {
        SCOPED_TRACE(std::to_string(shape.options.columns) + " x " + std::to_string(shape.options.rows) + " ramp " +
                     std::to_string(shape.options.rampWidth));
        PuzzleFileRecord record;
        ASSERT_EQ(PuzzleCutter::Cut(shape.width, shape.height, shape.options, record), "");
        ASSERT_EQ(record.edges.size(), std::size_t{shape.width} * shape.height);
        const std::vector<int> owner = Owners(record, shape.width, shape.height);
        const auto w = static_cast<std::int64_t>(shape.width);
        const auto h = static_cast<std::int64_t>(shape.height);
        auto cut = [&](std::int64_t x, std::int64_t y) {
            const int own = owner[static_cast<std::size_t>(y * w + x)];
            return (x > 0 && owner[static_cast<std::size_t>(y * w + x - 1)] != own) ||
                   (x + 1 < w && owner[static_cast<std::size_t>(y * w + x + 1)] != own) ||
                   (y > 0 && owner[static_cast<std::size_t>((y - 1) * w + x)] != own) ||
                   (y + 1 < h && owner[static_cast<std::size_t>((y + 1) * w + x)] != own);
        };
        const auto ramp = static_cast<std::int64_t>(shape.options.rampWidth);
        std::size_t cuts = 0;
        for (std::int64_t y = 0; y < h; ++y)
        {
            for (std::int64_t x = 0; x < w; ++x)
            {
                const std::uint8_t value = record.edges[static_cast<std::size_t>(y * w + x)];
                if (cut(x, y))
                {
                    ++cuts;
                    ASSERT_EQ(value, 255) << x << "," << y;
                    continue;
                }
                ASSERT_LT(value, 255) << x << "," << y;
                if (value == 0)
                    continue;
                bool near = false;
                for (std::int64_t dy = -ramp; dy <= ramp && !near; ++dy)
                    for (std::int64_t dx = -ramp + std::abs(dy); dx <= ramp - std::abs(dy) && !near; ++dx)
                        near = x + dx >= 0 && x + dx < w && y + dy >= 0 && y + dy < h && cut(x + dx, y + dy);
                ASSERT_TRUE(near) << "a ramp value beyond the width at " << x << "," << y;
            }
        }
        EXPECT_EQ(cuts == 0, record.pieces.size() == 1);
    }
}

TEST(PuzzleCutterTest, BlockedPiecesAlwaysTouchANormalPieceAndStayApartWhenAsked)
{
    for (const Shape& shape : Shapes())
    {
        PuzzleFileRecord record;
        ASSERT_EQ(PuzzleCutter::Cut(shape.width, shape.height, shape.options, record), "");
        std::vector<std::size_t> groupOf(record.pieces.size(), SIZE_MAX);
        std::uint32_t blocked = 0;
        for (std::size_t start = 0; start < record.pieces.size(); ++start)
        {
            if (record.pieces[start].state == 0)
                continue;
            ++blocked;
            for (std::uint32_t n : record.pieces[start].neighbours)
            {
                if (shape.options.blockedApart)
                {
                    EXPECT_EQ(record.pieces[n].state, 0u) << "blocked " << start << " touches " << n;
                }
            }
            if (groupOf[start] != SIZE_MAX)
                continue;
            bool touchesNormal = false;
            std::vector<std::size_t> stack{start};
            groupOf[start] = start;
            while (!stack.empty())
            {
                const std::size_t at = stack.back();
                stack.pop_back();
                for (std::uint32_t n : record.pieces[at].neighbours)
                {
                    if (record.pieces[n].state == 0)
                        touchesNormal = true;
                    else if (groupOf[n] == SIZE_MAX)
                    {
                        groupOf[n] = start;
                        stack.push_back(n);
                    }
                }
            }
            EXPECT_TRUE(touchesNormal) << "the group of " << start;
        }
        EXPECT_EQ(blocked, shape.options.blocked);
    }
}

TEST(PuzzleCutterTest, RequestsBeyondTheLimitsOrTheBlockingRulesAreRefused)
{
    const struct
    {
        const char* name;
        std::uint32_t width;
        std::uint32_t height;
        PuzzleCutOptions options;
    } cases[] = {
        {"201 pieces", 1000, 500, Options(201, 1, 1)},
        {"20 x 11 pieces", 1000, 500, Options(20, 11, 1)},
        {"no columns", 100, 100, Options(0, 1, 1)},
        {"a picture too wide", 1025, 512, Options(2, 2, 1)},
        {"a picture too high", 1024, 513, Options(2, 2, 1)},
        {"an empty picture", 0, 10, Options(1, 1, 1)},
        {"a cell wider than a page", 1024, 512, Options(1, 2, 1)},
        {"more columns than pixels", 5, 5, Options(6, 1, 1)},
        {"every piece blocked", 100, 100, Options(2, 2, 1, 4)},
        {"one piece and it blocked", 100, 100, Options(1, 1, 1, 1)},
        {"apart on a 2 x 2 grid", 100, 100, Options(2, 2, 1, 3, 0, true)},
    };
    for (const auto& c : cases)
    {
        PuzzleFileRecord record;
        EXPECT_NE(PuzzleCutter::Cut(c.width, c.height, c.options, record), "") << c.name;
    }
    PuzzleFileRecord record;
    EXPECT_EQ(PuzzleCutter::Cut(1020, 512, Options(1, 2, 1), record), "") << "1020 + 4 is a full page";
    EXPECT_EQ(PuzzleCutter::Cut(1000, 500, Options(20, 10, 1), record), "") << "200 pieces";
}

TEST(PuzzleCutterTest, TheSameSeedGivesTheSameBytesAndTheWrittenFolderReadsBackIdentically)
{
    const PuzzleCutOptions options = Options(5, 4, 11, 3, 2);
    PuzzleFileRecord first;
    PuzzleFileRecord second;
    PuzzleFileRecord other;
    ASSERT_EQ(PuzzleCutter::Cut(200, 120, options, first), "");
    ASSERT_EQ(PuzzleCutter::Cut(200, 120, options, second), "");
    ASSERT_EQ(PuzzleCutter::Cut(200, 120, Options(5, 4, 12, 3, 2), other), "");
    EXPECT_EQ(PuzzleFileWriter::Build(first), PuzzleFileWriter::Build(second));
    EXPECT_NE(PuzzleFileWriter::Build(first), PuzzleFileWriter::Build(other));

    test::TempFolder folder;
    OrvaneEngine::Image picture;
    picture.Create(nullptr, 200, 120, 24);
    std::fill(picture.GetPixels(), picture.GetPixels() + 200 * 120 * 3, std::uint8_t{77});
    PuzzleFileRecord written;
    ASSERT_EQ(PuzzleCutter::WriteFolder(picture, options, folder.Join("p"), &written), "");
    EXPECT_EQ(PuzzleFileWriter::Build(written), PuzzleFileWriter::Build(first));
    EXPECT_EQ(test::ReadFileText(folder.Join("p/puzzle.ini")), PuzzleFileWriter::BuildColors(options.colors));
    EXPECT_TRUE(test::ReadFileText(folder.Join("p/theme.jpg")));

    const std::string bytes = test::ReadFileText(folder.Join("p/puzzle.pzf")).value_or("");
    ASSERT_GT(bytes.size(), 13u);
    Mirabel::PuzzleLayout layout;
    ASSERT_EQ(Mirabel::PuzzleFile::Parse(reinterpret_cast<const std::uint8_t*>(bytes.data()) + 13, bytes.size() - 13,
                                         200, 120, "p", layout),
              "");
    EXPECT_EQ(layout.boardWidth, 200.0f);
    EXPECT_EQ(layout.boardHeight, 120.0f);
    EXPECT_EQ(layout.edges, first.edges);
    ASSERT_EQ(layout.pieces.size(), first.pieces.size());
    for (std::size_t i = 0; i < first.pieces.size(); ++i)
    {
        const auto& read = layout.pieces[i];
        const auto& made = first.pieces[i];
        EXPECT_EQ(read.state, made.state);
        EXPECT_EQ(read.x, made.x);
        EXPECT_EQ(read.y, made.y);
        EXPECT_EQ(read.width, made.width);
        EXPECT_EQ(read.height, made.height);
        EXPECT_EQ(read.neighbours, made.neighbours);
        EXPECT_EQ(read.mask, made.mask);
    }
}

// The program: a picture file in, a folder the reader accepts out, with the
// options reaching the record; bad requests fail with a message.
TEST(PuzzleCutterTest, TheProgramWritesThePuzzleFolderItIsAskedFor)
{
    test::TempFolder folder;
    OrvaneEngine::Image picture;
    picture.Create(nullptr, 120, 80, 24);
    std::fill(picture.GetPixels(), picture.GetPixels() + 120 * 80 * 3, std::uint8_t{150});
    ASSERT_TRUE(test::WriteFileBytes(folder.Join("picture.tga"), EngineImageFile(picture, "tga")));
    const std::string out = folder.Join("out.txt");
    const auto run = [&](const std::string& arguments) {
        const std::string command = "cd '" + folder.Path() + "' && '" + CORVELLAN_MKPUZZLE + "' " + arguments +
                                    " >'" + out + "' 2>&1";
        return std::system(command.c_str());
    };
    ASSERT_EQ(run("--seed 9 --blocked 2 --apart --ramp 1 --colors 1 2 3 4 5 6 7 8 9 picture.tga 4 3 made"), 0)
        << test::ReadFileText(out).value_or("");

    PuzzleCutOptions options = Options(4, 3, 9, 2, 1, true);
    options.colors = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    PuzzleFileRecord expected;
    ASSERT_EQ(PuzzleCutter::Cut(120, 80, options, expected), "");
    EXPECT_EQ(test::ReadFileText(folder.Join("made/puzzle.pzf")), PuzzleFileWriter::Build(expected));
    EXPECT_EQ(test::ReadFileText(folder.Join("made/puzzle.ini")), PuzzleFileWriter::BuildColors(options.colors));
    EXPECT_TRUE(test::ReadFileText(folder.Join("made/theme.jpg")));

    const struct
    {
        const char* arguments;
        const char* message;
    } bad[] = {
        {"", "usage: mkpuzzle"},
        {"picture.tga 4 three made", "usage: mkpuzzle"},
        {"missing.tga 4 3 made", "cannot read the picture"},
        {"picture.tga 21 10 made", "a puzzle has 1 to 200"},
        {"--blocked 12 picture.tga 4 3 made", "blocked pieces cannot be placed"},
    };
    for (const auto& c : bad)
    {
        EXPECT_NE(run(c.arguments), 0) << c.arguments;
        EXPECT_NE(test::ReadFileText(out).value_or("").find(c.message), std::string::npos)
            << c.arguments << ": " << test::ReadFileText(out).value_or("");
    }
}

} // namespace
} // namespace corvellan::content
