#pragma once

#include "framework/LevelRecord.h"

#include <cstdint>
#include <string>

namespace corvellan::test
{

// A level as the game keeps it: its puzzle folder and an ace time per mode.
class TestLevelRecord : public GameFramework::LevelRecord
{
public:
    std::string folder;
    std::uint32_t arcadeAceTime = 0;
    std::uint32_t relaxAceTime = 0;
};

} // namespace corvellan::test
