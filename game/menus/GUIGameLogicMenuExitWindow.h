#pragma once

#include "framework/GUIGameLogicMenuExitWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace Mirabel
{

// The question whether to leave the level for the main menu. OK closes the
// frame and fades the menu background back in before it answers, so the
// main menu never opens under a half-closed dialog.
class GUIGameLogicMenuExitWindow : public GameFramework::GUIGameLogicMenuExitWindowBase, public GUIMenuWindow
{
public:
    GUIGameLogicMenuExitWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
       GUIMenuWindowManager* menuWindowManager, OrvaneEngine::GUIWindow* parent);
    ~GUIGameLogicMenuExitWindow() override;

    void Show() override;
    void Hide() override;
    void Update() override;

    std::unique_ptr<GUIControl> okControl;
    std::unique_ptr<GUIControl> cancelControl;
    std::uint8_t closing = 0;
};

} // namespace Mirabel
