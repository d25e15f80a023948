#pragma once

#include "framework/GUIGameLogicRestartWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace Mirabel
{

// The question whether to restart the level. YES closes the frame and fades
// the menu background back in before it answers.
class GUIGameLogicRestartWindow : public GameFramework::GUIGameLogicRestartWindowBase, public GUIMenuWindow
{
public:
    GUIGameLogicRestartWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
       GUIMenuWindowManager* menuWindowManager, OrvaneEngine::GUIWindow* parent);
    ~GUIGameLogicRestartWindow() override;

    void Show() override;
    void Hide() override;
    void Update() override;

    std::unique_ptr<GUIControl> yesControl;
    std::unique_ptr<GUIControl> cancelControl;
    std::uint8_t closing = 0;
};

} // namespace Mirabel
