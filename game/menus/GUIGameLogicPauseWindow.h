#pragma once

#include "framework/GUIGameLogicPauseWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace Mirabel
{

// The notice over a paused level. Only its button resumes: a key that
// resumed would also reach the level in the same frame.
class GUIGameLogicPauseWindow : public GameFramework::GUIGameLogicPauseWindowBase, public GUIMenuWindow
{
public:
    GUIGameLogicPauseWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
       GUIMenuWindowManager* menuWindowManager, OrvaneEngine::GUIWindow* parent);
    ~GUIGameLogicPauseWindow() override;

    void Show() override;
    void Hide() override;
    void Update() override;

    std::unique_ptr<GUIControl> resumeControl;
};

} // namespace Mirabel
