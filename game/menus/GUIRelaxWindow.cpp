#include "game/menus/GUIRelaxWindow.h"

#include "engine/core/Engine.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUIRelaxWindow::GUIRelaxWindow(Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
                               GameFramework::ProfileManagerBase* profileManager,
                               GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 1, parent), profileManager(profileManager)
{
    const GUIMenuButtons::Models models = GUIMenuButtons::Big(*gameData);
    yesControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->bigWindowButtons[1], models);
    noControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->bigWindowButtons[0], models);
    SetTitle("RELAX_TITLE");
}

GUIRelaxWindow::~GUIRelaxWindow() = default;

void GUIRelaxWindow::Show()
{
    SetOpen(1);
    lineCount = GUIMenuButtons::LineCount(*textManager, *engine->messageManager, "RELAX_TEXT_SIZE");
}

void GUIRelaxWindow::Hide()
{
    SetOpen(0);
}

void GUIRelaxWindow::Update()
{
    result = 0;
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    if (GUIMenuButtons::Clicked(*this, *yesControl))
    {
        if (GameFramework::ProfileBase* profile = profileManager->currentProfile)
        {
            profile->mode = 1;
            profile->Save();
        }
        result = 3;
    }
    if (GUIMenuButtons::Clicked(*this, *noControl))
        result = 3;
    for (std::uint32_t i = 0; i < lineCount; ++i)
        frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 276.0f - 20.0f * static_cast<float>(i)),
                                  color, "RELAX_TEXT_", static_cast<std::int32_t>(i));
    GUIMenuButtons::Label(*this, *yesControl, "YES");
    GUIMenuButtons::Label(*this, *noControl, "NO");
}

} // namespace Mirabel
