#include "game/menus/GUIGameLogicLoadingWindow.h"

#include "game/GameLevelRecord.h"
#include "game/GameLogicData.h"
#include "game/LevelManager.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIUnicorn.h"

namespace Mirabel
{

GUIGameLogicLoadingWindow::GUIGameLogicLoadingWindow(OrvaneEngine::Engine* engine, LevelManager* levelManager,
                                                     GUIMenuWindowManager* menuWindowManager, GUIUnicorn* unicorn)
    : GUILoadingWindowBase(engine), menuWindowManager(menuWindowManager), levelManager(levelManager),
      unicorn(unicorn)
{
}

GUIGameLogicLoadingWindow::~GUIGameLogicLoadingWindow() = default;

void GUIGameLogicLoadingWindow::Show(GameFramework::DataKeeper* keeper)
{
    GUILoadingWindowBase::Show(keeper);
    active = true;
    printed = false;
}

void GUIGameLogicLoadingWindow::Hide()
{
    GUILoadingWindowBase::Hide();
    active = false;
}

void GUIGameLogicLoadingWindow::Update()
{
    GUILoadingWindowBase::Update();
    if (!active)
        return;
    if (printed)
    {
        RunLoading();
        const auto* data = static_cast<const GameLogicData*>(GetDataKeeper());
        if (const GameLevelRecord* record = data != nullptr ? data->GetLevelRecord() : nullptr)
        {
            const std::size_t stage = record->stageIndex;
            // The ending needs the unicorn once the last level of the last stage is loaded.
            if (levelManager->stages.size() == stage + 1 && levelManager->levels.size() > stage &&
                levelManager->levels[stage].size() == record->levelIndex + 1)
                unicorn->LoadModel();
        }
        result = 1;
    }
    if (menuWindowManager->tokenFree != 0)
    {
        menuWindowManager->SetTextKey("LOADING");
        if (menuWindowManager->IsTextPrinted())
            printed = true;
    }
}

} // namespace Mirabel
