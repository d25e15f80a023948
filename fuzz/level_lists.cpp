// The level lists on hostile bytes: the input is written as the stage list
// beside sound level lists, then as the first stage's level list beside a
// sound stage list, and the test game's level manager loads them. It must
// end loaded, with every count within bounds, or in the fatal error; never
// crash, hang or make records in proportion to a count it was told.
#include "content/LevelListWriter.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "tests/support/FuzzEngine.h"
#include "tests/support/TestLevelManager.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

using corvellan::content::LevelListWriter;
using corvellan::test::FuzzEngine;
using corvellan::test::TestLevelManager;

void Check(bool condition, const char* what)
{
    if (!condition)
    {
        std::fprintf(stderr, "level lists: %s\n", what);
        std::abort();
    }
}

FuzzEngine& GetEngine()
{
    static FuzzEngine engine;
    return engine;
}

void Walk(const TestLevelManager& levels)
{
    const std::size_t stageCount = levels.stages.size();
    Check(stageCount >= 1 && stageCount <= TestLevelManager::MaxStages, "a stage count out of bounds");
    Check(levels.levels.size() == stageCount, "levels and stages differ in number");
    std::uint32_t lastLevels = 0;
    for (std::uint32_t stage = 0; stage < stageCount; ++stage)
    {
        const std::size_t levelCount = levels.levels[stage].size();
        Check(levelCount >= 1 && levelCount <= TestLevelManager::MaxLevelsPerStage, "a level count out of bounds");
        Check(levels.stages[stage]->levelCount == levelCount, "a stage's count differs from its levels");
        for (std::uint32_t level = 0; level < levelCount; ++level)
        {
            const auto next = levels.GetNextLevel(stage, level);
            Check(next.stage < stageCount && next.level < levels.levels[next.stage].size(),
                  "the next level lies outside the lists");
            if (levels.IsLastLevel(stage, level))
            {
                ++lastLevels;
                Check(next.stage == stage && next.level == level, "the last level has a successor");
            }
        }
    }
    Check(lastLevels == 1, "not exactly one last level");
}

void Load(FuzzEngine& fuzz)
{
    try
    {
        const TestLevelManager levels(fuzz.Get());
        Walk(levels);
    }
    catch (const OrvaneEngine::FatalError&)
    {
    }
    fuzz.Get()->messageManager->ClearMessages();
}

void Put(FuzzEngine& fuzz, const std::string& relative, const std::string& bytes)
{
    fuzz.workspace.Put(relative, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzEngine& fuzz = GetEngine();
    static const auto stages = LevelListWriter::TwoStages();
    static const std::string stageList = LevelListWriter::BuildStages(stages);
    static const std::string firstLevels = LevelListWriter::BuildStage(stages[0]);
    static const std::string secondLevels = LevelListWriter::BuildStage(stages[1]);

    fuzz.workspace.Put("data/levels/stages_info.ini", data, size);
    Put(fuzz, "data/levels/stage0.ini", firstLevels);
    Put(fuzz, "data/levels/stage1.ini", secondLevels);
    Load(fuzz);

    Put(fuzz, "data/levels/stages_info.ini", stageList);
    fuzz.workspace.Put("data/levels/stage0.ini", data, size);
    Load(fuzz);
    return 0;
}
