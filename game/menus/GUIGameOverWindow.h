#pragma once

#include "framework/GUIGameOverWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace Mirabel
{

// The notice after a lost arcade level. Continue closes the frame and fades
// the menu background in before it answers.
class GUIGameOverWindow : public GameFramework::GUIGameOverWindowBase, public GUIMenuWindow
{
public:
    GUIGameOverWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                      GameData* gameData, GUIMenuWindowManager* menuWindowManager, OrvaneEngine::GUIWindow* parent);
    ~GUIGameOverWindow() override;

    void Show() override;
    void Hide() override;
    void Update() override;

    std::unique_ptr<GUIControl> continueControl;
    std::uint8_t closing = 0;
};

} // namespace Mirabel
