// The data set's levels through the game's own readers: the level lists
// through the level manager, every puzzle folder through the level data
// keeper on a headless engine, and every puzzle file through its parser
// for the rules that keep each board whole and winnable.
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "framework/StageRecord.h"
#include "framework/VersionedFile.h"
#include "engine/core/MessageManager.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogicData.h"
#include "game/GameStageRecord.h"
#include "game/LevelManager.h"
#include "game/PuzzleFile.h"
#include "game/TexturePack.h"
#include "tests/content/dataset/DataSetExpectations.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace
{

using namespace corvellan::test;

class DataSetLevelsTest : public EngineTestFixture
{
protected:
    void SetUp() override
    {
        CopyPackInto(folder);
        // Where the game looks for its packs.
        settings.packFolder = "data";
        Start();
    }
    void TearDown() override { Stop(); }

    // The log entries so far, each on its own line; warnings and errors as "!" lines.
    std::string Logged(bool problemsOnly) const
    {
        std::string text;
        OrvaneEngine::MessageManager& log = *engine->messageManager;
        for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
        {
            const OrvaneEngine::LogMessage entry = log.GetMessage(static_cast<std::uint32_t>(i));
            if (!problemsOnly || entry.level > 0)
                text += entry.text + "\n";
        }
        return text;
    }

    // The puzzle file past its header, as the level data keeper reads it.
    std::vector<std::uint8_t> Body(const std::string& path) const
    {
        GameFramework::VersionedFile file(engine->fileManager.get(), Mirabel::PuzzleFile::Magic,
                                          Mirabel::PuzzleFile::Version);
        file.Open(path, 0, 0, nullptr);
        OrvaneEngine::FileBinary& binary = *file.GetFile();
        std::vector<std::uint8_t> body(binary.GetSize() - binary.GetPosition());
        binary.Read(body.data(), static_cast<std::uint32_t>(body.size()));
        file.Close();
        return body;
    }
};

TEST_F(DataSetLevelsTest, TheLevelManagerReadsEveryStageAndLevelInListOrder)
{
    Mirabel::LevelManager levels(engine.get());
    EXPECT_NE(Logged(false).find("Found 4 stages with 14 levels"), std::string::npos) << Logged(false);
    EXPECT_EQ(Logged(true), "");

    const std::vector<ExpectedStage>& stages = ExpectedStages();
    ASSERT_EQ(levels.stages.size(), stages.size());
    for (std::size_t s = 0; s < stages.size(); ++s)
    {
        SCOPED_TRACE(s);
        const auto& stage = dynamic_cast<const Mirabel::GameStageRecord&>(*levels.stages[s]);
        EXPECT_EQ(stage.gridSize, stages[s].gridSize);
        ASSERT_EQ(levels.levels[s].size(), stages[s].levels.size());
        for (std::size_t l = 0; l < stages[s].levels.size(); ++l)
        {
            const ExpectedLevel& expected = stages[s].levels[l];
            const auto& level = dynamic_cast<const Mirabel::GameLevelRecord&>(*levels.levels[s][l]);
            EXPECT_EQ(level.puzzleFolder, expected.folder);
            EXPECT_EQ(level.arcadeAceTime, 5 * expected.pieces + 20) << expected.folder;
            EXPECT_EQ(level.relaxAceTime, 7 * expected.pieces + 30) << expected.folder;
        }
    }
}

TEST_F(DataSetLevelsTest, EveryPuzzleFolderLoadsAsTheLevelDataWithItsPiecesAndPages)
{
    const std::vector<ExpectedStage>& stages = ExpectedStages();
    for (std::uint32_t s = 0; s < stages.size(); ++s)
    {
        for (std::uint32_t l = 0; l < stages[s].levels.size(); ++l)
        {
            const ExpectedLevel& expected = stages[s].levels[l];
            SCOPED_TRACE(expected.folder);
            Mirabel::GameStageRecord stage;
            stage.stageIndex = s;
            Mirabel::GameLevelRecord level;
            level.stageIndex = s;
            level.levelIndex = l;
            level.puzzleFolder = expected.folder;
            Mirabel::GameLogicData data(engine.get(), "en", &stage, &level);
            try
            {
                data.LoadAll();
            }
            catch (const OrvaneEngine::FatalError& error)
            {
                FAIL() << error.GetText();
            }
            EXPECT_EQ(data.boardSize.x, 512.0f);
            EXPECT_EQ(data.boardSize.y, 384.0f);
            EXPECT_EQ(data.initialStates.size(), expected.pieces);
            EXPECT_EQ(data.textureNames.size(), expected.pieces);
            ASSERT_NE(data.texturePack, nullptr);
            EXPECT_FALSE(data.texturePack->GetPages().empty());
            for (std::size_t i = 0; i < data.textureNames.size(); ++i)
                EXPECT_NE(data.texturePack->FindTexture(data.textureNames[i]), nullptr) << i;
            // Each board has its own colours, never the reader's black default.
            EXPECT_GT(data.boardColor.r + data.boardColor.g + data.boardColor.b, 0.0f);
        }
    }
    EXPECT_EQ(Logged(true), "");
}

// Pieces a and b touch along an edge: a pixel of one has a 4-neighbour of the other.
bool ShareAnEdge(const std::vector<std::int32_t>& owner, std::int32_t width, std::int32_t height, std::uint32_t a,
                 std::uint32_t b)
{
    for (std::int32_t y = 0; y < height; ++y)
    {
        for (std::int32_t x = 0; x < width; ++x)
        {
            if (owner[static_cast<std::size_t>(y * width + x)] != static_cast<std::int32_t>(a))
                continue;
            const std::int32_t next[][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
            for (const auto& n : next)
            {
                if (n[0] >= 0 && n[0] < width && n[1] >= 0 && n[1] < height &&
                    owner[static_cast<std::size_t>(n[1] * width + n[0])] == static_cast<std::int32_t>(b))
                    return true;
            }
        }
    }
    return false;
}

TEST_F(DataSetLevelsTest, EveryPuzzleIsWholeAndWinnable)
{
    constexpr std::int32_t Width = 512;
    constexpr std::int32_t Height = 384;
    for (const ExpectedStage& stage : ExpectedStages())
    {
        for (const ExpectedLevel& expected : stage.levels)
        {
            SCOPED_TRACE(expected.folder);
            const std::string path = "data\\puzzles\\" + expected.folder + "\\puzzle.pzf";
            const std::vector<std::uint8_t> body = Body(path);
            Mirabel::PuzzleLayout layout;
            ASSERT_EQ(Mirabel::PuzzleFile::Parse(body.data(), body.size(), Width, Height, path, layout), "");
            EXPECT_EQ(layout.boardWidth, 512.0f);
            EXPECT_EQ(layout.boardHeight, 384.0f);
            ASSERT_EQ(layout.pieces.size(), expected.pieces);
            EXPECT_LE(layout.pieces.size(), 60u);

            // The masks tile the picture: every pixel belongs to exactly one piece.
            std::vector<std::int32_t> owner(static_cast<std::size_t>(Width * Height), -1);
            for (std::size_t i = 0; i < layout.pieces.size(); ++i)
            {
                const Mirabel::PuzzleLayout::Piece& piece = layout.pieces[i];
                EXPECT_LE(piece.width + Mirabel::PuzzleFile::CellGrowth, 1024) << i;
                EXPECT_LE(piece.height + Mirabel::PuzzleFile::CellGrowth, 1024) << i;
                for (std::int32_t row = 0; row < piece.height; ++row)
                {
                    for (std::int32_t column = 0; column < piece.width; ++column)
                    {
                        if (piece.mask[static_cast<std::size_t>(row * piece.width + column)] == 0)
                            continue;
                        std::int32_t& at = owner[static_cast<std::size_t>((piece.y + row) * Width + piece.x + column)];
                        EXPECT_EQ(at, -1) << "piece " << i << " overlaps piece " << at;
                        at = static_cast<std::int32_t>(i);
                    }
                }
            }
            EXPECT_EQ(std::count(owner.begin(), owner.end(), -1), 0);

            // Neighbours are exactly the pieces that share an edge, listed both ways.
            std::size_t blocked = 0;
            for (std::uint32_t i = 0; i < layout.pieces.size(); ++i)
            {
                const Mirabel::PuzzleLayout::Piece& piece = layout.pieces[i];
                for (std::uint32_t j = 0; j < layout.pieces.size(); ++j)
                {
                    const bool listed =
                        std::find(piece.neighbours.begin(), piece.neighbours.end(), j) != piece.neighbours.end();
                    EXPECT_EQ(listed, i != j && ShareAnEdge(owner, Width, Height, i, j)) << i << " and " << j;
                }
                if (piece.state == 0)
                    continue;
                ++blocked;
                // A blocked place opens only through a normal neighbour, and
                // two blocked ones side by side could wait on each other.
                bool normalNeighbour = false;
                for (const std::uint32_t n : piece.neighbours)
                {
                    EXPECT_EQ(layout.pieces[n].state, 0u) << "blocked pieces " << i << " and " << n << " touch";
                    normalNeighbour = normalNeighbour || layout.pieces[n].state == 0;
                }
                EXPECT_TRUE(normalNeighbour) << i;
            }
            const double share = static_cast<double>(stage.blockedPercent) / 100.0 * expected.pieces;
            EXPECT_LE(std::fabs(static_cast<double>(blocked) - share), 1.0) << blocked;

            // The edge map marks every cut and leaves the insides clear.
            ASSERT_EQ(layout.edges.size(), owner.size());
            std::size_t unmarked = 0;
            for (std::int32_t y = 0; y < Height; ++y)
            {
                for (std::int32_t x = 0; x + 1 < Width; ++x)
                {
                    const auto at = static_cast<std::size_t>(y * Width + x);
                    if (owner[at] != owner[at + 1] && layout.edges[at] != 255 && layout.edges[at + 1] != 255)
                        ++unmarked;
                }
            }
            EXPECT_EQ(unmarked, 0u);
            EXPECT_GT(std::count(layout.edges.begin(), layout.edges.end(), 0), Width * Height / 2);
        }
    }
}

} // namespace
