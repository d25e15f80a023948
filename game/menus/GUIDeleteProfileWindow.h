#pragma once

#include "framework/GUIDeleteProfileWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace Mirabel
{

// Asks before the profile of the kept name is deleted.
class GUIDeleteProfileWindow : public GameFramework::GUIDeleteProfileWindowBase, public GUIMenuWindow
{
public:
    GUIDeleteProfileWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                           GameData* gameData, GameFramework::ProfileManagerBase* profileManager,
                           GUIMenuWindowManager* menuWindowManager, OrvaneEngine::GUIWindow* parent);
    ~GUIDeleteProfileWindow() override;

    void Show(const std::u16string& profileName) override;
    void Hide() override;
    void Update() override;

    std::unique_ptr<GUIControl> yesControl;
    std::unique_ptr<GUIControl> noControl;
};

} // namespace Mirabel
