#pragma once

#include "framework/GUIProfilesWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class GUIButton;
}

namespace Mirabel
{

// The profile list: the current profile first, seven rows over a reversed
// scroll bar, and the buttons that lead to the other profile dialogs.
class GUIProfilesWindow : public GameFramework::GUIProfilesWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t RowCount = 7;
    static constexpr std::uint32_t RowFont = 3;
    static constexpr std::uint32_t CurrentFont = 4;
    static constexpr std::uint32_t HoverFont = 5;

    GUIProfilesWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                      GameData* gameData, GameFramework::ProfileManagerBase* profileManager,
                      GUIMenuWindowManager* menuWindowManager, OrvaneEngine::GUIWindow* parent);
    ~GUIProfilesWindow() override;

    void Show() override;
    void Hide() override;
    void Update() override;

    std::unique_ptr<GUIControl> nameAreaControl;
    std::array<OrvaneEngine::GUIButton*, RowCount> nameButtons{};
    std::unique_ptr<GUIControl> scrollControl;
    std::unique_ptr<GUIControl> newControl;
    std::unique_ptr<GUIControl> renameControl;
    std::unique_ptr<GUIControl> deleteControl;
    std::unique_ptr<GUIControl> doneControl;
    // Kept in their order from Show to Show.
    std::vector<std::u16string> names;
};

} // namespace Mirabel
