#pragma once

#include "framework/GUIRenameProfileWindowBase.h"
#include "game/menus/GUIMenuWindow.h"
#include "game/menus/GUINameEntry.h"

namespace GameFramework
{
class ProfileManagerBase;
}

namespace Mirabel
{

// Asks for the new name of the current profile.
class GUIRenameProfileWindow : public GameFramework::GUIRenameProfileWindowBase, public GUIMenuWindow
{
public:
    GUIRenameProfileWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
       GameFramework::ProfileManagerBase* profileManager, GUIMenuWindowManager* menuWindowManager,
       OrvaneEngine::GUIWindow* parent);
    ~GUIRenameProfileWindow() override;

    // keep takes the old name and shows it in the field.
    void Show(bool keep, const std::u16string& oldName) override;
    void Hide() override;
    void Update() override;

    GUINameEntry entry;
};

} // namespace Mirabel
