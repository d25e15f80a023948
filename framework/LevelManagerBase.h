#pragma once

namespace GameFramework
{

// The game's stages and levels and the way through them.
class LevelManagerBase
{
public:
    LevelManagerBase() = default;
    virtual ~LevelManagerBase();
    LevelManagerBase(const LevelManagerBase&) = delete;
    LevelManagerBase& operator=(const LevelManagerBase&) = delete;
};

} // namespace GameFramework
