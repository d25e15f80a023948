#pragma once

#include "framework/GUIGameLogicGameExitWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace Mirabel
{

// The question whether to quit the program from a running level. Quitting
// answers at once: the program ends, so no closing animation is owed.
class GUIGameLogicGameExitWindow : public GameFramework::GUIGameLogicGameExitWindowBase, public GUIMenuWindow
{
public:
    GUIGameLogicGameExitWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
       GUIMenuWindowManager* menuWindowManager, OrvaneEngine::GUIWindow* parent);
    ~GUIGameLogicGameExitWindow() override;

    void Show() override;
    void Hide() override;
    void Update() override;

    std::unique_ptr<GUIControl> okControl;
    std::unique_ptr<GUIControl> cancelControl;
};

} // namespace Mirabel
