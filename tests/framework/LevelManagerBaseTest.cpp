#include "content/LevelListWriter.h"
#include "engine/core/Error.h"
#include "framework/LevelManagerBase.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestLevelManager.h"
#include "tests/support/TestLevelRecord.h"
#include "tests/support/TestStageRecord.h"
#include "tests/framework/UserFolderTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{

using content::LevelListOptions;
using content::LevelListStage;
using content::LevelListWriter;
using GameFramework::LevelManagerBase;

class LevelManagerBaseTest : public UserFolderTest
{
protected:
    std::string Levels() const { return folder.Join("data/levels"); }

    std::unique_ptr<TestLevelManager> Make() { return std::make_unique<TestLevelManager>(engine.get()); }
};

TEST_F(LevelManagerBaseTest, ReadsTheGamesLayoutAndLogsWhatItFound)
{
    for (const bool byteOrderMark : {false, true})
    {
        SCOPED_TRACE(byteOrderMark);
        LevelListOptions options;
        options.byteOrderMark = byteOrderMark;
        ASSERT_TRUE(LevelListWriter::WriteTo(Levels(), LevelListWriter::TwoStages(), options));
        Start();
        const auto levels = Make();
        ASSERT_EQ(levels->stages.size(), 2u);
        ASSERT_EQ(levels->levels.size(), 2u);
        EXPECT_EQ(levels->stages[1]->stageIndex, 1u);
        EXPECT_EQ(levels->stages[1]->levelCount, 4u);
        EXPECT_EQ(static_cast<TestStageRecord&>(*levels->stages[0]).gridSize, 3u);
        EXPECT_EQ(static_cast<TestStageRecord&>(*levels->stages[1]).gridSize, 4u);
        ASSERT_EQ(levels->levels[0].size(), 3u);
        ASSERT_EQ(levels->levels[1].size(), 4u);
        const auto& first = static_cast<TestLevelRecord&>(*levels->levels[0][0]);
        EXPECT_EQ(first.folder, "red_fox");
        EXPECT_EQ(first.arcadeAceTime, 60u);
        EXPECT_EQ(first.relaxAceTime, 120u);
        const auto& last = static_cast<TestLevelRecord&>(*levels->levels[1][3]);
        EXPECT_EQ(last.stageIndex, 1u);
        EXPECT_EQ(last.levelIndex, 3u);
        EXPECT_EQ(last.folder, "dark_wood");
        EXPECT_EQ(LoggedLines(0, "\nLevel Manager: Found 2 stages with 7 levels..."), 1);
        EXPECT_EQ(levels->LevelManagerBase::GetLevelsInfoPath(0), "stage0\\levels_info.ini");
        EXPECT_EQ(levels->GetLevelsInfoPath(1), "stage1.ini");
    }
}

TEST_F(LevelManagerBaseTest, NextLevelRunsThroughTheStagesAndStopsAtTheLast)
{
    ASSERT_TRUE(LevelListWriter::WriteTo(Levels(), LevelListWriter::TwoStages()));
    const auto levels = Make();
    struct Case
    {
        std::uint32_t stage;
        std::uint32_t level;
        LevelManagerBase::Position next;
        bool last;
    };
    const std::vector<Case> cases = {
        {0, 0, {0, 1}, false}, {0, 2, {1, 0}, false}, {1, 2, {1, 3}, false},
        {1, 3, {1, 3}, true},  {0, 3, {1, 0}, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.stage) + "," + std::to_string(c.level));
        EXPECT_EQ(levels->GetNextLevel(c.stage, c.level), c.next);
        EXPECT_EQ(levels->IsLastLevel(c.stage, c.level), c.last);
    }
}

TEST_F(LevelManagerBaseTest, BadListsAreFatalWithATextNamingTheFile)
{
    struct Case
    {
        const char* what;
        std::function<void(std::vector<LevelListStage>&, LevelListOptions&)> damage;
        std::string file;
        std::function<void(const std::string&)> afterWriting;
    };
    const std::vector<Case> cases = {
        {"no stage list", nullptr, "stages_info.ini",
         [](const std::string& levels) { std::filesystem::remove(levels + "/stages_info.ini"); }},
        {"no list of stage 1", nullptr, "stage1.ini",
         [](const std::string& levels) { std::filesystem::remove(levels + "/stage1.ini"); }},
        {"no stages", [](auto&, LevelListOptions& options) { options.stageCount = 0; }, "stages_info.ini", nullptr},
        {"a count of -1", [](auto&, LevelListOptions& options) { options.stageCount = -1; }, "stages_info.ini",
         nullptr},
        {"101 stages", [](auto&, LevelListOptions& options) { options.stageCount = 101; }, "stages_info.ini",
         nullptr},
        {"a stage of no levels", [](auto& stages, auto&) { stages[1].levels.clear(); }, "stage1.ini", nullptr},
        {"4,000,000,000 levels", [](auto& stages, auto&) { stages[0].levelCount = 4000000000; }, "stage0.ini",
         nullptr},
        {"two stages but one grid size", [](auto&, LevelListOptions& options) { options.gridSizesLeftOut = 1; },
         "stages_info.ini", nullptr},
        {"more levels than listed", [](auto& stages, auto&) { stages[1].levelCount = 5; }, "stage1.ini", nullptr},
        {"a level cut short", [](auto& stages, auto&) { stages[0].keepBytes = 30; }, "stage0.ini", nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(Levels());
        std::vector<LevelListStage> stages = LevelListWriter::TwoStages();
        LevelListOptions options;
        if (c.damage)
            c.damage(stages, options);
        ASSERT_TRUE(LevelListWriter::WriteTo(Levels(), stages, options));
        if (c.afterWriting)
            c.afterWriting(Levels());
        Start();
        try
        {
            Make();
            ADD_FAILURE() << "loaded";
        }
        catch (const OrvaneEngine::FatalError& error)
        {
            EXPECT_NE(error.GetText().find(c.file), std::string::npos) << error.GetText();
        }
        EXPECT_EQ(LoggedLines(3, "PROGRAM ABORTING: "), 1);
        EXPECT_EQ(LoggedLines(0, "Level Manager: Found"), 0);
    }
}

} // namespace
} // namespace corvellan::test
