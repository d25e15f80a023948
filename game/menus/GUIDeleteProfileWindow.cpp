#include "game/menus/GUIDeleteProfileWindow.h"

#include "engine/core/StringFunctions.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUIDeleteProfileWindow::GUIDeleteProfileWindow(Engine* engine, GameFramework::SoundController* soundController,
                                               GameData* gameData, GameFramework::ProfileManagerBase* profileManager,
                                               GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIDeleteProfileWindowBase(profileManager),
      GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 2, parent)
{
    const GUIMenuButtons::Models models = GUIMenuButtons::Big(*gameData);
    yesControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->smallWindowButtons[1], models);
    noControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->smallWindowButtons[0], models);
    SetTitle("DELETE_PROFILE_TITLE");
}

GUIDeleteProfileWindow::~GUIDeleteProfileWindow() = default;

void GUIDeleteProfileWindow::Show(const std::u16string& profileName)
{
    GUIDeleteProfileWindowBase::Show(profileName);
    SetOpen(1);
}

void GUIDeleteProfileWindow::Hide()
{
    GUIDeleteProfileWindowBase::Hide();
    SetOpen(0);
}

void GUIDeleteProfileWindow::Update()
{
    GUIDeleteProfileWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    if (GUIMenuButtons::Clicked(*this, *noControl))
        result = 5;
    if (GUIMenuButtons::Clicked(*this, *yesControl))
    {
        DeleteProfile();
        result = profileManager->profiles.empty() ? 6 : 5;
    }
    const std::u16string quoted = u"\"" + name + u"\"";
    for (std::int32_t i = 0; i < 3; ++i)
    {
        std::u16string line = textManager->GetText("DELETE_PROFILE_TEXT_", i);
        ReplaceAllNoCaseW(line, u"%PROFILE_NAME%", quoted);
        frameWindow->AddWideText(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 129.0f - 23.0f * static_cast<float>(i)),
                                 color, line);
    }
    GUIMenuButtons::Label(*this, *yesControl, "YES");
    GUIMenuButtons::Label(*this, *noControl, "NO");
}

} // namespace Mirabel
