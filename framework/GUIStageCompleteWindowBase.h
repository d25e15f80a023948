#pragma once

#include <cstdint>

namespace GameFramework
{

class LevelRecord;

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUIStageCompleteWindowBase
{
public:
    GUIStageCompleteWindowBase() = default;
    virtual ~GUIStageCompleteWindowBase();
    GUIStageCompleteWindowBase(const GUIStageCompleteWindowBase&) = delete;
    GUIStageCompleteWindowBase& operator=(const GUIStageCompleteWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show(LevelRecord* levelRecord);
    virtual void Hide();

    // 0: nothing to report.
    std::uint32_t result = 0;
};

} // namespace GameFramework
