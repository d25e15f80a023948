#pragma once

#include "framework/GUIWelcomeWindowBase.h"
#include "game/menus/GUIMenuWindow.h"
#include "game/menus/GUINameEntry.h"

namespace GameFramework
{
class ProfileManagerBase;
}

namespace Mirabel
{

// Asks for the first name while no profile exists.
class GUIWelcomeWindow : public GameFramework::GUIWelcomeWindowBase, public GUIMenuWindow
{
public:
    GUIWelcomeWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
       GameFramework::ProfileManagerBase* profileManager, GUIMenuWindowManager* menuWindowManager,
       OrvaneEngine::GUIWindow* parent);
    ~GUIWelcomeWindow() override;

    void Show() override;
    void Hide() override;
    void Update() override;

    GUINameEntry entry;
};

} // namespace Mirabel
