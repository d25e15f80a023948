#pragma once

#include <cstdint>

namespace GameFramework
{

class GameLogicBase;

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUIGameLogicWindowBase
{
public:
    GUIGameLogicWindowBase() = default;
    virtual ~GUIGameLogicWindowBase();
    GUIGameLogicWindowBase(const GUIGameLogicWindowBase&) = delete;
    GUIGameLogicWindowBase& operator=(const GUIGameLogicWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show(GameLogicBase* gameLogic);
    virtual void Hide();

    // The panel takes no input while another screen lies over it.
    void SetActive(bool on) { active = on; }
    bool IsActive() const { return active; }

    // 0: nothing to report.
    std::uint32_t result = 0;

protected:
    bool active = true;
};

} // namespace GameFramework
