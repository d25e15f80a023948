#pragma once

#include "framework/LevelRecord.h"

#include <cstdint>
#include <string>

namespace Mirabel
{

// A level as the game's level lists describe it: the framework's record, the
// puzzle it plays and the ace time of each mode.
class GameLevelRecord : public GameFramework::LevelRecord
{
public:
    ~GameLevelRecord() override;

    // The puzzle's folder under "data\puzzles\", taken as the list names it.
    std::string puzzleFolder;
    std::uint32_t arcadeAceTime = 0; // seconds
    std::uint32_t relaxAceTime = 0;  // seconds
};

} // namespace Mirabel
