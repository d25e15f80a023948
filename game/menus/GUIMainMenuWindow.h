#pragma once

#include "framework/GUIMainMenuWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <array>
#include <memory>

namespace GameFramework
{
class ProfileManagerBase;
}

namespace Mirabel
{

// The hub of the menus: seven large buttons and a greeting of the current
// profile.
class GUIMainMenuWindow : public GameFramework::GUIMainMenuWindowBase, public GUIMenuWindow
{
public:
    enum ButtonIndex : std::uint32_t
    {
        Start,
        HighScores,
        Options,
        ChangeProfile,
        ShowPlace,
        Credits,
        Exit,
        ButtonCount
    };
    static constexpr std::uint32_t FontNormal = 7;
    static constexpr std::uint32_t FontHover = 8;
    static constexpr std::uint32_t FontPressed = 9;

    GUIMainMenuWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                      GameData* gameData, GameFramework::ProfileManagerBase* profileManager,
                      GUIMenuWindowManager* menuWindowManager, OrvaneEngine::GUIWindow* parent);
    ~GUIMainMenuWindow() override;

    void Show() override;
    void Hide() override;
    void Update() override;

    const GUIControl& GetControl(std::uint32_t index) const { return *controls[index]; }

private:
    GameFramework::ProfileManagerBase* profileManager;
    std::array<std::unique_ptr<GUIControl>, ButtonCount> controls;
};

} // namespace Mirabel
