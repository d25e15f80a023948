#pragma once

#include "framework/LevelManagerBase.h"

#include <cstdint>
#include <memory>
#include <string>

namespace corvellan::test
{

// A level manager reading the game's layout: "stages_info.ini" holds a grid
// size per stage, "stage" + i + ".ini" a folder and two ace times per level.
// Loaded when made, unless told not to (a data set without level lists);
// TestStageRecord and TestLevelRecord are its records.
class TestLevelManager : public GameFramework::LevelManagerBase
{
public:
    explicit TestLevelManager(OrvaneEngine::Engine* engine, bool load = true);

    std::string GetLevelsInfoPath(std::uint32_t stage) const override;
    std::unique_ptr<GameFramework::StageRecord> CreateStageRecord() override;
    std::unique_ptr<GameFramework::LevelRecord> CreateLevelRecord() override;
    void ReadStage(GameFramework::StageRecord* record, OrvaneEngine::FileTextual* reader) override;
    void ReadLevel(GameFramework::LevelRecord* record, OrvaneEngine::FileTextual* reader) override;
};

} // namespace corvellan::test
