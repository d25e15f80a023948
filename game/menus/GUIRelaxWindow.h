#pragma once

#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace GameFramework
{
class ProfileManagerBase;
}

namespace Mirabel
{

// The one-time offer to switch a profile to relax mode after a lost arcade game.
class GUIRelaxWindow : public GUIMenuWindow
{
public:
    GUIRelaxWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
                   GameFramework::ProfileManagerBase* profileManager, GUIMenuWindowManager* menuWindowManager,
                   OrvaneEngine::GUIWindow* parent);
    ~GUIRelaxWindow() override;

    void Show();
    void Hide();
    void Update() override;

    GameFramework::ProfileManagerBase* profileManager;
    std::uint32_t result = 0;
    std::uint32_t lineCount = 0;
    std::unique_ptr<GUIControl> yesControl;
    std::unique_ptr<GUIControl> noControl;
};

} // namespace Mirabel
