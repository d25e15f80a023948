#pragma once

#include "framework/GUIGameLogicMenuWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace GameFramework
{
class ProfileManagerBase;
}

namespace Mirabel
{

// The menu over a running level: the volumes, heard while they move, the
// fullscreen box, applied at once, and the ways out of the level.
class GUIGameLogicMenuWindow : public GameFramework::GUIGameLogicMenuWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t SoundSlider = 0;

    GUIGameLogicMenuWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                           GameData* gameData, GUIMenuWindowManager* menuWindowManager,
                           GameFramework::ProfileManagerBase* profileManager, OrvaneEngine::GUIWindow* parent);
    ~GUIGameLogicMenuWindow() override;

    void Show() override;
    void Hide() override;
    void Update() override;

    std::unique_ptr<GUIControl> soundControl;
    std::unique_ptr<GUIControl> musicControl;
    std::unique_ptr<GUIControl> fullscreenControl;
    std::unique_ptr<GUIControl> exitControl;
    std::unique_ptr<GUIControl> restartControl;
    std::unique_ptr<GUIControl> returnControl;
};

} // namespace Mirabel
