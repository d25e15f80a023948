#include "tests/support/TestLevelManager.h"

#include "tests/support/TestLevelRecord.h"
#include "tests/support/TestStageRecord.h"

namespace corvellan::test
{

TestLevelManager::TestLevelManager(OrvaneEngine::Engine* engineIn, bool load) : LevelManagerBase(engineIn)
{
    if (load)
        Load();
}

std::string TestLevelManager::GetLevelsInfoPath(std::uint32_t stage) const
{
    return "stage" + std::to_string(stage) + ".ini";
}

std::unique_ptr<GameFramework::StageRecord> TestLevelManager::CreateStageRecord()
{
    return std::make_unique<TestStageRecord>();
}

std::unique_ptr<GameFramework::LevelRecord> TestLevelManager::CreateLevelRecord()
{
    return std::make_unique<TestLevelRecord>();
}

void TestLevelManager::ReadStage(GameFramework::StageRecord* record, OrvaneEngine::FileTextual* reader)
{
    LevelManagerBase::ReadStage(record, reader);
    static_cast<TestStageRecord*>(record)->gridSize = static_cast<std::uint32_t>(ReadInt(reader));
}

void TestLevelManager::ReadLevel(GameFramework::LevelRecord* record, OrvaneEngine::FileTextual* reader)
{
    LevelManagerBase::ReadLevel(record, reader);
    auto* level = static_cast<TestLevelRecord*>(record);
    level->folder = ReadWord(reader);
    level->arcadeAceTime = static_cast<std::uint32_t>(ReadInt(reader));
    level->relaxAceTime = static_cast<std::uint32_t>(ReadInt(reader));
}

} // namespace corvellan::test
