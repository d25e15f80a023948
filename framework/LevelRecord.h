#pragma once

#include <cstdint>

namespace GameFramework
{

// What the framework knows of one level: its place in the game, 0-based.
// The game derives its own record and adds its fields after these.
class LevelRecord
{
public:
    LevelRecord() = default;
    virtual ~LevelRecord();
    LevelRecord(const LevelRecord&) = default;
    LevelRecord& operator=(const LevelRecord&) = default;

    std::uint32_t stageIndex = 0;
    std::uint32_t levelIndex = 0;
};

} // namespace GameFramework
