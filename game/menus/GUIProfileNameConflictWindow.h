#pragma once

#include "framework/GUIProfileNameConflictWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace Mirabel
{

// Reports a profile name that is taken, then leads back to the dialog that asked.
class GUIProfileNameConflictWindow : public GameFramework::GUIProfileNameConflictWindowBase, public GUIMenuWindow
{
public:
    GUIProfileNameConflictWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                                 GameData* gameData, GUIMenuWindowManager* menuWindowManager,
                                 OrvaneEngine::GUIWindow* parent);
    ~GUIProfileNameConflictWindow() override;

    void Show(std::uint32_t callerCode) override;
    void Hide() override;
    void Update() override;

    std::unique_ptr<GUIControl> okControl;
};

} // namespace Mirabel
