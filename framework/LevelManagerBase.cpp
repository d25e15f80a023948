#include "framework/LevelManagerBase.h"

#include "engine/core/Engine.h"

namespace GameFramework
{

LevelManagerBase::LevelManagerBase(OrvaneEngine::Engine* engineIn)
    : engine(engineIn), messageManager(engineIn->messageManager.get()), fileManager(engineIn->fileManager.get())
{
}

LevelManagerBase::~LevelManagerBase() = default;

void LevelManagerBase::GetLevelResourceFiles(Position /*position*/, std::vector<std::string>& /*files*/) const {}

void LevelManagerBase::Load() {}

std::string LevelManagerBase::GetLevelsInfoPath(std::uint32_t stage) const
{
    return "stage" + std::to_string(stage) + "\\levels_info.ini";
}

void LevelManagerBase::ReadStage(StageRecord* record, OrvaneEngine::FileTextual* /*reader*/)
{
    record->levelCount = 0;
}

void LevelManagerBase::ReadLevel(LevelRecord* /*record*/, OrvaneEngine::FileTextual* /*reader*/) {}

LevelManagerBase::Position LevelManagerBase::GetNextLevel(std::uint32_t stage, std::uint32_t level) const
{
    return {stage, level};
}

bool LevelManagerBase::IsLastLevel(std::uint32_t /*stage*/, std::uint32_t /*level*/) const
{
    return false;
}

std::string LevelManagerBase::ReadWord(OrvaneEngine::FileTextual* /*reader*/) const
{
    return {};
}

std::int32_t LevelManagerBase::ReadInt(OrvaneEngine::FileTextual* /*reader*/) const
{
    return 0;
}

} // namespace GameFramework
