// The game's level lists: stages with their totem grids, levels with their
// puzzle folder and ace times, and every list the game cannot play ending the
// program with a text that names what is wrong.
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "game/GameLevelRecord.h"
#include "game/GameStageRecord.h"
#include "game/LevelManager.h"
#include "tests/support/FileBytes.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace
{

using Mirabel::GameLevelRecord;
using Mirabel::GameStageRecord;
using Mirabel::LevelManager;

class LevelManagerTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override { Start(); }

    void WriteLists(const std::map<std::string, std::string>& files)
    {
        std::filesystem::remove_all(folder.Join("data/levels"));
        for (const auto& [name, text] : files)
            ASSERT_TRUE(corvellan::test::WriteFileBytes(folder.Join("data/levels/" + name), text));
    }

    // The fatal text the lists end in, or "<none>".
    std::string FatalText()
    {
        try
        {
            LevelManager levels(engine.get());
        }
        catch (const OrvaneEngine::FatalError& error)
        {
            return error.GetText();
        }
        return "<none>";
    }
};

TEST_F(LevelManagerTest, ReadsGridSizesFoldersAndAceTimes)
{
    WriteLists({{"stages_info.ini", "2 3 4"}, {"stage0.ini", "1 my_pic 60 90"}, {"stage1.ini", "1 b 50 80"}});
    LevelManager levels(engine.get());
    ASSERT_EQ(levels.stages.size(), 2u);
    ASSERT_EQ(levels.levels.size(), 2u);
    const std::uint32_t grids[] = {3, 4};
    for (std::uint32_t s = 0; s < 2; ++s)
    {
        const auto* stage = dynamic_cast<const GameStageRecord*>(levels.stages[s].get());
        ASSERT_NE(stage, nullptr);
        EXPECT_EQ(stage->stageIndex, s);
        EXPECT_EQ(stage->levelCount, 1u);
        EXPECT_EQ(stage->gridSize, grids[s]);
        EXPECT_EQ(stage->gridSize * stage->gridSize, grids[s] * grids[s]);
        ASSERT_EQ(levels.levels[s].size(), 1u);
    }
    const auto* first = dynamic_cast<const GameLevelRecord*>(levels.levels[0][0].get());
    const auto* second = dynamic_cast<const GameLevelRecord*>(levels.levels[1][0].get());
    ASSERT_TRUE(first != nullptr && second != nullptr);
    EXPECT_EQ(first->puzzleFolder, "my_pic");
    EXPECT_EQ(first->arcadeAceTime, 60u);
    EXPECT_EQ(first->relaxAceTime, 90u);
    EXPECT_EQ(second->stageIndex, 1u);
    EXPECT_EQ(second->puzzleFolder, "b");
    EXPECT_EQ(second->arcadeAceTime, 50u);
    EXPECT_EQ(second->relaxAceTime, 80u);
    EXPECT_EQ(levels.GetLevelsInfoPath(0), "stage0.ini");
    EXPECT_EQ(levels.GetLevelsInfoPath(7), "stage7.ini");

    // Fresh records carry nothing.
    const auto stage = levels.CreateStageRecord();
    const auto level = levels.CreateLevelRecord();
    EXPECT_EQ(dynamic_cast<GameStageRecord&>(*stage).gridSize, 0u);
    EXPECT_EQ(dynamic_cast<GameLevelRecord&>(*level).puzzleFolder, "");
    EXPECT_EQ(dynamic_cast<GameLevelRecord&>(*level).arcadeAceTime, 0u);
}

TEST_F(LevelManagerTest, AListTheGameCannotPlayIsFatalWithATextNamingTheFault)
{
    struct Case
    {
        const char* name;
        std::map<std::string, std::string> files;
        const char* named;
    };
    const Case cases[] = {
        {"stage list shorter than its count", {{"stages_info.ini", "2 3"}}, "stages_info.ini"},
        {"level list shorter than its count", {{"stages_info.ini", "1 3"}, {"stage0.ini", "2 a 60 90 b 60"}},
         "stage0.ini"},
        {"no stage", {{"stages_info.ini", "0"}}, "stages_info.ini"},
        {"more stages than totems",
         {{"stages_info.ini", "9 3 3 3 3 3 3 3 3 3"}, {"stage0.ini", "1 a 1 1"}, {"stage1.ini", "1 a 1 1"},
          {"stage2.ini", "1 a 1 1"}, {"stage3.ini", "1 a 1 1"}, {"stage4.ini", "1 a 1 1"},
          {"stage5.ini", "1 a 1 1"}, {"stage6.ini", "1 a 1 1"}, {"stage7.ini", "1 a 1 1"},
          {"stage8.ini", "1 a 1 1"}},
         "9 stages"},
        {"a grid without cells", {{"stages_info.ini", "1 0"}, {"stage0.ini", "1 a 60 90"}}, "grid of 0"},
        {"a grid too large", {{"stages_info.ini", "1 17"}, {"stage0.ini", "1 a 60 90"}}, "grid of 17"},
        {"a negative grid", {{"stages_info.ini", "1 -2"}, {"stage0.ini", "1 a 60 90"}}, "Stage 0"},
        {"a missing level list", {{"stages_info.ini", "1 3"}}, "stage0.ini"},
    };
    for (const Case& c : cases)
    {
        WriteLists(c.files);
        const std::string text = FatalText();
        EXPECT_NE(text.find(c.named), std::string::npos) << c.name << ": " << text;
    }
}

} // namespace
