#pragma once

#include "framework/StageRecord.h"

#include <cstdint>

namespace Mirabel
{

// A stage as the game's level lists describe it: the framework's record and
// the size of the totem grid played after the stage.
class GameStageRecord : public GameFramework::StageRecord
{
public:
    ~GameStageRecord() override;

    // The mini game after the stage has gridSize × gridSize cells.
    std::uint32_t gridSize = 0;
};

} // namespace Mirabel
