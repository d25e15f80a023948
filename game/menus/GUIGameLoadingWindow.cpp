#include "game/menus/GUIGameLoadingWindow.h"

#include "game/GameData.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIGameCursor.h"

namespace Mirabel
{

GUIGameLoadingWindow::GUIGameLoadingWindow(OrvaneEngine::Engine* engine, GUIGameCursor* cursor,
                                           GUIBackgroundWindow* background)
    : GUILoadingWindowBase(engine), cursor(cursor), background(background)
{
}

GUIGameLoadingWindow::~GUIGameLoadingWindow() = default;

void GUIGameLoadingWindow::Update()
{
    GUILoadingWindowBase::Update();
    if (!background->IsWaitingForGameData())
        return;
    RunLoading();
    auto* gameData = static_cast<GameData*>(GetDataKeeper());
    cursor->CreateEffects(*gameData);
    background->SetGameData(gameData);
    result = 1;
}

} // namespace Mirabel
