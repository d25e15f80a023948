#pragma once

#include "framework/GUIContinueGameLogicWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace GameFramework
{
class ProfileManagerBase;
}

namespace Mirabel
{

// The question before a game in progress: continue it, start anew, or go
// back. It shows the game's mode, the level reached and the score.
class GUIContinueGameLogicWindow : public GameFramework::GUIContinueGameLogicWindowBase, public GUIMenuWindow
{
public:
    GUIContinueGameLogicWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                               GameData* gameData, GameFramework::ProfileManagerBase* profileManager,
                               GUIMenuWindowManager* menuWindowManager, OrvaneEngine::GUIWindow* parent);
    ~GUIContinueGameLogicWindow() override;

    void Show() override;
    void Hide() override;
    void Update() override;

    GameFramework::ProfileManagerBase* profileManager;
    std::unique_ptr<GUIControl> continueControl;
    std::unique_ptr<GUIControl> newGameControl;
    std::unique_ptr<GUIControl> cancelControl;
    OrvaneEngine::GUIWindow* valueColumn = nullptr;
    OrvaneEngine::GUIWindow* labelColumn = nullptr;
    // Taken at Show, so the question keeps the score it was asked with.
    std::uint32_t score = 0;
};

} // namespace Mirabel
