#include "game/menus/GUIMenuWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "framework/SoundController.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuWindowManager.h"

#include <algorithm>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr float Epsilon = 0.0001f;
constexpr float FadeInRate = 4.0f;
constexpr float FadeOutRate = 8.0f;
constexpr float MainMenuSpeed = 60.0f;
// The frame fades in over the first frames of its appear animation and out
// over the last ones of its disappear animation.
constexpr float FrameFadeFrames = 15.0f;

struct FrameModels
{
    const Model* frame;
    const Model* area;
};

FrameModels ModelsOfKind(const GameData& data, std::uint32_t kind)
{
    switch (kind)
    {
    case 0:
        return {data.mainMenuWindow, data.mainMenuWindowArea};
    case 1:
        return {data.bigWindow, data.bigWindowArea};
    case 2:
        return {data.smallWindow, data.smallWindowArea};
    default:
        return {data.largeWindow, data.largeWindowArea};
    }
}

} // namespace

GUIMenuWindow::GUIMenuWindow(Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
                             GUIMenuWindowManager* menuWindowManager, std::uint32_t kind, GUIWindow* parent)
    : engine(engine),
      timerManager(engine->timerManager.get()),
      config(engine->config.get()),
      controls(engine->controls.get()),
      guiManager(engine->guiManager.get()),
      fontManager(engine->guiManager->GetFontManager()),
      textManager(engine->guiManager->GetTextManager()),
      soundController(soundController),
      gameData(gameData),
      menuWindowManager(menuWindowManager),
      kind(kind)
{
    const FrameModels models = ModelsOfKind(*gameData, kind);
    frameControl = std::make_unique<GUIControl>(engine, gameData, GUIControl::Picture, models.frame, models.frame,
                                                nullptr, models.area, parent);
    if (kind == 0)
        frameControl->SetAnimationSpeed(MainMenuSpeed);
    frameWindow = frameControl->widget;
    controlList.push_back(frameControl.get());
}

GUIMenuWindow::~GUIMenuWindow() = default;

void GUIMenuWindow::SetOpen(std::uint8_t openNow)
{
    if (openNow != 0)
    {
        openRequest = 1;
        return;
    }
    if (open == 0)
        return;
    open = 0;
    if (kind != 0)
        soundController->PlaySound(SoundDisappear);
}

void GUIMenuWindow::SetTitle(const std::string& key) { title = textManager->GetText(key); }

void GUIMenuWindow::SetTitleText(const std::u16string& text) { title = text; }

std::uint8_t GUIMenuWindow::IsAnyControlAppearing() const
{
    return std::any_of(controlList.begin(), controlList.end(), [](const GUIControl* c) { return c->IsAppearing(); })
               ? 1
               : 0;
}

bool GUIMenuWindow::RunPanelPhase()
{
    GUIMenuWindowManager& manager = *menuWindowManager;
    if (open != 0 && !manager.IsTextAreaBusy() && manager.tokenFree != 0)
    {
        manager.tokenFree = 0;
        manager.SetTextAreaVisible(true);
    }
    if (open != 0 && manager.IsTextAreaBusy() && manager.IsTextAreaShown())
    {
        manager.ClearTextAreaShown();
        manager.tokenFree = 1;
    }
    if (open == 0 && manager.tokenFree != 0 && lowerPanelAfterClose != 0 && manager.IsTextAreaBusy())
    {
        manager.SetTextAreaVisible(false);
        panelPhase = 0;
        lowerPanelAfterClose = 0;
    }
    return manager.IsTextAreaBusy();
}

void GUIMenuWindow::Update()
{
    GUIMenuWindowManager& manager = *menuWindowManager;
    const float dt = timerManager->frameTime;

    if (open == 0 && manager.tokenFree != 0 && openRequest != 0)
    {
        const bool plain = needsTextAreaPanel == 0;
        const bool panelReady =
            needsTextAreaPanel != 0 && panelPhase == 0 && lowerPanelAfterClose == 0 && manager.IsTextAreaHidden();
        const bool panelRunning = panelPhase != 0 && lowerPanelAfterClose == 0;
        if (plain || panelReady || panelRunning)
        {
            open = 1;
            openRequest = 0;
            closeStarted = 0;
            if (needsTextAreaPanel != 0)
            {
                panelPhase = 1;
                needsTextAreaPanel = 0;
            }
        }
    }

    if (panelPhase != 0 && !RunPanelPhase())
        return;

    if (open != 0)
    {
        if (manager.tokenFree != 0)
        {
            for (GUIControl* control : controlList)
                control->Appear();
            manager.tokenFree = 0;
            color.a = 0.0f;
            manager.SetText(title);
            if (kind != 0)
                soundController->PlaySound(SoundAppear);
        }
        if (IsAnyControlAppearing() == 0)
            color.a = std::min(color.a + FadeInRate * dt, 1.0f);
    }

    const bool frameWasVisible = frameControl->IsVisible();

    for (GUIControl* control : controlList)
    {
        control->color = color;
        control->Update();
    }

    if (open == 0)
    {
        const float before = color.a;
        color.a = std::max(color.a - FadeOutRate * dt, 0.0f);
        const bool crossed = before > Epsilon && color.a <= Epsilon;
        // Closed before its controls faded in, the alpha never crosses; the
        // frame must still go, or the token stays taken for good.
        const bool closedWhileAppearing = before <= Epsilon && frameControl->IsVisible() && closeStarted == 0;
        if (crossed || closedWhileAppearing)
        {
            for (GUIControl* control : controlList)
                control->Disappear();
            closeStarted = 1;
        }
        if (frameWasVisible && !frameControl->IsVisible())
            manager.tokenFree = 1;
    }

    if (frameWindow != nullptr && frameWindow->visible && frameWindow->model != nullptr)
        if (const AnimationControl* animation = frameWindow->model->GetAnimationControl())
        {
            const auto first = static_cast<float>(animation->GetFirstFrame());
            const auto second = static_cast<float>(animation->GetSecondFrame());
            const float frame = first + (second - first) * animation->GetBlend();
            frameWindow->SetColor(Color(1.0f, 1.0f, 1.0f, std::clamp(frame / FrameFadeFrames, 0.0f, 1.0f)));
        }
}

} // namespace Mirabel
