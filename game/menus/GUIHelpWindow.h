#pragma once

#include "framework/GUIHelpWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace Mirabel
{

// A page of twelve lines: headings and the lines below them.
class GUIHelpWindow : public GameFramework::GUIHelpWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t LineCount = 12;
    static constexpr std::uint32_t HeadingFont = 3;

    GUIHelpWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
                  GUIMenuWindowManager* menuWindowManager, OrvaneEngine::GUIWindow* parent);
    ~GUIHelpWindow() override;

    void Show() override;
    void Hide() override;
    void Update() override;

    std::unique_ptr<GUIControl> backControl;
};

} // namespace Mirabel
