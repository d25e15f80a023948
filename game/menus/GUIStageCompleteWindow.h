#pragma once

#include "framework/GUIStageCompleteWindowBase.h"

#include <cstdint>

namespace Mirabel
{

class GUIBackgroundWindow;

// Shows nothing: it passes the flow on to the stage map once per Show, and
// after the game's last level first switches off the background's unicorn.
class GUIStageCompleteWindow : public GameFramework::GUIStageCompleteWindowBase
{
public:
    GUIStageCompleteWindow(OrvaneEngine::Engine* engine, GameFramework::LevelManagerBase* levelManager,
                           GUIBackgroundWindow* background);
    ~GUIStageCompleteWindow() override;

    void Show(GameFramework::LevelRecord* levelRecord) override;
    void Hide() override;
    void Update() override;

private:
    GUIBackgroundWindow* background;
    std::uint8_t armed = 0;
};

} // namespace Mirabel
