#include "game/LevelManager.h"

#include "engine/core/MessageManager.h"
#include "game/GameLevelRecord.h"
#include "game/GameStageRecord.h"

namespace Mirabel
{

LevelManager::LevelManager(OrvaneEngine::Engine* engineIn) : LevelManagerBase(engineIn)
{
    Load();
    CheckPlayable();
}

void LevelManager::CheckPlayable()
{
    if (stages.size() > MostStages)
        messageManager->Fatal("The level lists name " + std::to_string(stages.size()) +
                              " stages; the game has totems for " + std::to_string(MostStages));
    for (const auto& stage : stages)
    {
        const auto* record = static_cast<const GameStageRecord*>(stage.get());
        if (record->gridSize < 1 || record->gridSize > LargestGrid)
            messageManager->Fatal("Stage " + std::to_string(record->stageIndex) + " has a totem grid of " +
                                  std::to_string(record->gridSize) + "; a grid is 1 to " +
                                  std::to_string(LargestGrid) + " cells wide");
    }
}

std::string LevelManager::GetLevelsInfoPath(std::uint32_t stage) const
{
    return "stage" + std::to_string(stage) + ".ini";
}

std::unique_ptr<GameFramework::StageRecord> LevelManager::CreateStageRecord()
{
    return std::make_unique<GameStageRecord>();
}

std::unique_ptr<GameFramework::LevelRecord> LevelManager::CreateLevelRecord()
{
    return std::make_unique<GameLevelRecord>();
}

void LevelManager::ReadStage(GameFramework::StageRecord* record, OrvaneEngine::FileTextual* reader)
{
    LevelManagerBase::ReadStage(record, reader);
    static_cast<GameStageRecord*>(record)->gridSize = static_cast<std::uint32_t>(ReadInt(reader));
}

void LevelManager::ReadLevel(GameFramework::LevelRecord* record, OrvaneEngine::FileTextual* reader)
{
    LevelManagerBase::ReadLevel(record, reader);
    auto* level = static_cast<GameLevelRecord*>(record);
    level->puzzleFolder = ReadWord(reader);
    level->arcadeAceTime = static_cast<std::uint32_t>(ReadInt(reader));
    level->relaxAceTime = static_cast<std::uint32_t>(ReadInt(reader));
}

} // namespace Mirabel
