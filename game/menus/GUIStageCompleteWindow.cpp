#include "game/menus/GUIStageCompleteWindow.h"

#include "framework/LevelManagerBase.h"
#include "game/menus/GUIBackgroundWindow.h"

namespace Mirabel
{

GUIStageCompleteWindow::GUIStageCompleteWindow(OrvaneEngine::Engine* engine,
                                               GameFramework::LevelManagerBase* levelManager,
                                               GUIBackgroundWindow* backgroundIn)
    : GUIStageCompleteWindowBase(engine, levelManager), background(backgroundIn)
{
}

GUIStageCompleteWindow::~GUIStageCompleteWindow() = default;

void GUIStageCompleteWindow::Show(GameFramework::LevelRecord* levelRecord)
{
    GUIStageCompleteWindowBase::Show(levelRecord);
    armed = 1;
}

void GUIStageCompleteWindow::Hide()
{
    GUIStageCompleteWindowBase::Hide();
    armed = 0;
}

void GUIStageCompleteWindow::Update()
{
    GUIStageCompleteWindowBase::Update();
    if (armed == 0)
        return;
    if (levelManager->IsLastLevel(stageIndex, levelIndex) && background != nullptr)
        background->SetUnicornEnabled(false);
    result = 13;
    armed = 0;
}

} // namespace Mirabel
