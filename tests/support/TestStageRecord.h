#pragma once

#include "framework/StageRecord.h"

#include <cstdint>

namespace corvellan::test
{

// A stage as the game keeps it: with the grid size of its mini game.
class TestStageRecord : public GameFramework::StageRecord
{
public:
    std::uint32_t gridSize = 0;
};

} // namespace corvellan::test
