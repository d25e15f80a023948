#pragma once

#include "framework/GUIExitWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace Mirabel
{

// The quit question. YES closes the frame first and answers only once the
// frame has gone, so the program never ends under a half-closed window.
class GUIExitWindow : public GameFramework::GUIExitWindowBase, public GUIMenuWindow
{
public:
    GUIExitWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
                  GUIMenuWindowManager* menuWindowManager, OrvaneEngine::GUIWindow* parent);
    ~GUIExitWindow() override;

    void Show(std::uint32_t callerCode) override;
    void Hide() override;
    void Update() override;

    std::unique_ptr<GUIControl> yesControl;
    std::unique_ptr<GUIControl> noControl;
    std::uint8_t closing = 0;
};

} // namespace Mirabel
