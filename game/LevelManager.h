#pragma once

#include "framework/LevelManagerBase.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Mirabel
{

// The game's level lists: "stages_info.ini" gives the stage count and each
// stage's totem grid size, "stage" + i + ".ini" each level's puzzle folder
// and ace times. Loaded when made; a list the game cannot play is fatal.
class LevelManager : public GameFramework::LevelManagerBase
{
public:
    // One totem model per stage.
    static constexpr std::uint32_t MostStages = 8;
    // Past this the totem grid would make more windows than a screen holds.
    static constexpr std::uint32_t LargestGrid = 16;

    explicit LevelManager(OrvaneEngine::Engine* engine);

    std::string GetLevelsInfoPath(std::uint32_t stage) const override;
    // Records with every field zero and an empty folder name.
    std::unique_ptr<GameFramework::StageRecord> CreateStageRecord() override;
    std::unique_ptr<GameFramework::LevelRecord> CreateLevelRecord() override;
    // The framework's values, then the grid size.
    void ReadStage(GameFramework::StageRecord* record, OrvaneEngine::FileTextual* reader) override;
    // The framework's values, then the folder and the arcade and relax ace times.
    void ReadLevel(GameFramework::LevelRecord* record, OrvaneEngine::FileTextual* reader) override;

private:
    void CheckPlayable();
};

} // namespace Mirabel
