#pragma once

#include <cstdint>

namespace GameFramework
{

// What the framework knows of one stage; the game derives its own record
// and adds its fields after these.
class StageRecord
{
public:
    StageRecord() = default;
    virtual ~StageRecord();
    StageRecord(const StageRecord&) = default;
    StageRecord& operator=(const StageRecord&) = default;

    std::uint32_t stageIndex = 0;
    std::uint32_t levelCount = 0;
};

} // namespace GameFramework
