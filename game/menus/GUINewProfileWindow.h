#pragma once

#include "framework/GUINewProfileWindowBase.h"
#include "game/menus/GUIMenuWindow.h"
#include "game/menus/GUINameEntry.h"

namespace GameFramework
{
class ProfileManagerBase;
}

namespace Mirabel
{

// Asks for the name of a new profile; a taken name goes to the conflict screen.
class GUINewProfileWindow : public GameFramework::GUINewProfileWindowBase, public GUIMenuWindow
{
public:
    GUINewProfileWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
       GameFramework::ProfileManagerBase* profileManager, GUIMenuWindowManager* menuWindowManager,
       OrvaneEngine::GUIWindow* parent);
    ~GUINewProfileWindow() override;

    // clear empties the field; else the text typed before stays.
    void Show(std::uint32_t clear) override;
    void Hide() override;
    void Update() override;

    GUINameEntry entry;
    // Set while no profile exists: the negative button then leaves the game.
    std::uint8_t noProfile = 1;
};

} // namespace Mirabel
