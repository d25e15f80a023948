#include "game/menus/GUIGameLogicWindow.h"

#include "engine/core/Config.h"
#include "engine/core/Controls.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ModelManager.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelRecord.h"
#include "framework/ScreenSettings.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"

#include <algorithm>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr float Epsilon = 0.0001f;
constexpr const char* ShowStatistics = "d_show_statistics";

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

} // namespace

GUIGameLogicWindow::GUIGameLogicWindow(Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                                       GameData* gameDataIn, GUIMenuWindowManager* menuWindowManagerIn)
    : GUIGameLogicWindowBase(engine, profileManager), timerManager(engine->timerManager.get()),
      modelManager(engine->modelManager.get()), guiManager(engine->guiManager.get()),
      controls(engine->controls.get()), gameData(gameDataIn), menuWindowManager(menuWindowManagerIn)
{
    const Vector2 origin(0.0f, 0.0f);
    const Vector2 unit(1.0f, 1.0f);
    const Model* none = nullptr;
    rootWindow = guiManager->CreateWindow(0, origin, unit, none, gameData->gameObjectWindow);
    panelWindow = guiManager->CreateWindow(1, origin, unit, none, rootWindow);
    panelWindow->level = 500;
    controlWindow = guiManager->CreateWindow(1, origin, unit, none, panelWindow);
    statisticsWindow = guiManager->CreateWindow(1, origin, unit, none, gameData->gameObjectWindow);
    statisticsWindow->level = 5;
    backgroundWindow = guiManager->CreateWindow(1, origin, unit, gameData->panelBackground, rootWindow);
    backgroundWindow->level = 210;

    const auto make = [&](std::uint32_t kind, const Model* appear, const Model* widget, const Model* hitArea,
                          const Model* textArea, GUIWindow* parent) {
        return std::make_unique<GUIControl>(engine, gameData, kind, appear, widget, hitArea, textArea, parent);
    };
    const GameData& d = *gameData;
    mainPanelControl = make(GUIControl::Button, d.panelMain, d.panelMain, nullptr, nullptr, panelWindow);
    menuControl = make(GUIControl::Button, d.panelMenuButton, d.buttonSmall, d.buttonSmallSelectionArea,
                       d.buttonSmallTextArea, controlWindow);
    minimizeControl = make(GUIControl::Button, d.panelMinimizeButton, d.buttonGameLogicMinimize,
                           d.buttonGameLogicMinimizeSelectionArea, d.buttonGameLogicMinimizeTextArea, controlWindow);
    windowModeControl = make(GUIControl::CheckBox, d.panelMaximizeWindowButton, d.buttonGameLogicMaximize,
                             d.buttonGameLogicMaximizeSelectionArea, d.buttonGameLogicMaximizeTextArea, controlWindow);
    fullscreenModeControl =
        make(GUIControl::CheckBox, d.panelMaximizeFullscreenButton, d.buttonGameLogicMaximize,
             d.buttonGameLogicMaximizeSelectionArea, d.buttonGameLogicMaximizeTextArea, controlWindow);
    closeControl = make(GUIControl::Button, d.panelCloseButton, d.buttonGameLogicClose,
                        d.buttonGameLogicCloseSelectionArea, d.buttonGameLogicCloseTextArea, controlWindow);
    levelTitleWindow = TitleWindow(d.panelLevelNameTitleTextArea);
    levelControl = make(GUIControl::Picture, d.panelLevelName, d.panelLevelName, nullptr, d.panelLevelNameTextArea,
                        controlWindow);
    scoreTitleWindow = TitleWindow(d.panelScoreTitleTextArea);
    scoreControl =
        make(GUIControl::Picture, d.panelScore, d.panelScore, nullptr, d.panelScoreTextArea, controlWindow);
    controlList = {mainPanelControl.get(), menuControl.get(),  minimizeControl.get(),
                   closeControl.get(),     levelControl.get(), scoreControl.get()};
}

GUIGameLogicWindow::~GUIGameLogicWindow()
{
    controlList.clear();
    scoreControl.reset();
    levelControl.reset();
    closeControl.reset();
    fullscreenModeControl.reset();
    windowModeControl.reset();
    minimizeControl.reset();
    menuControl.reset();
    mainPanelControl.reset();
    for (GUIWindow* window : {scoreTitleWindow, levelTitleWindow, backgroundWindow, statisticsWindow, controlWindow,
                              panelWindow, rootWindow})
        guiManager->ReleaseWindow(window);
}

GUIWindow* GUIGameLogicWindow::TitleWindow(const Model* area)
{
    return guiManager->CreateWindow(1, GUIControl::GetModelPosition(area), GUIControl::GetModelSize(area),
                                    static_cast<const Model*>(nullptr), controlWindow);
}

bool GUIGameLogicWindow::AnyControl(bool (GUIControl::*test)() const) const
{
    return std::any_of(controlList.begin(), controlList.end(), [&](const GUIControl* c) { return (c->*test)(); }) ||
           (windowModeControl.get()->*test)() || (fullscreenModeControl.get()->*test)();
}

void GUIGameLogicWindow::Show(GameFramework::GameLogicBase* gameLogicIn)
{
    GUIGameLogicWindowBase::Show(gameLogicIn);
    rootWindow->SetFlags(GUIWindow::FlagShown);
    shownGameLogic = gameLogicIn;
    shown = true;
    for (GUIControl* control : controlList)
        control->Appear();
    currentModeControl = fullscreen ? fullscreenModeControl.get() : windowModeControl.get();
    currentModeControl->Appear();
    currentModeControl->checkBox->checked = !fullscreen;
    color.a = 0.0f;
    SetActive(true);
}

void GUIGameLogicWindow::Hide()
{
    GUIGameLogicWindowBase::Hide();
    shown = false;
    shownGameLogic = nullptr;
}

void GUIGameLogicWindow::SetActive(bool on)
{
    GUIGameLogicWindowBase::SetActive(on);
    menuControl->button->SetEnabled(on);
    closeControl->button->SetEnabled(on);
}

void GUIGameLogicWindow::Update()
{
    GUIGameLogicWindowBase::Update();
    const float dt = timerManager->frameTime;
    if (!config->GetCommandFlag(GameFramework::ScreenSettings::CommandWindowChangeMode) &&
        currentModeControl != nullptr)
        currentModeControl->checkBox->checked = !fullscreen;
    if (shown && !AnyControl(&GUIControl::IsAppearing))
        color.a = std::min(color.a + 4.0f * dt, 1.0f);

    const bool visibleBefore = AnyControl(&GUIControl::IsVisible);
    for (GUIControl* control : controlList)
    {
        control->color = color;
        control->Update();
    }
    if (currentModeControl != nullptr)
    {
        currentModeControl->color = color;
        currentModeControl->Update();
    }
    if (!shown)
    {
        const float before = color.a;
        color.a = std::max(color.a - 8.0f * dt, 0.0f);
        if (before > Epsilon && color.a < Epsilon)
        {
            for (GUIControl* control : controlList)
                control->Disappear();
            if (currentModeControl != nullptr)
                currentModeControl->Disappear();
        }
        if (visibleBefore || AnyControl(&GUIControl::IsVisible))
            rootWindow->ClearFlags(GUIWindow::FlagShown);
    }
    if ((rootWindow->flags & GUIWindow::FlagShown) == 0)
        return;

    if (minimizeControl->button->clicked)
        MinimizeWindow();
    if (currentModeControl != nullptr && currentModeControl->checkBox->clicked)
    {
        fullscreen = !currentModeControl->checkBox->checked;
        *videoFullscreen = fullscreen;
        config->Save();
        config->SetCommandFlag(GameFramework::ScreenSettings::CommandWindowChangeMode, false);
    }
    Texts();
    Statistics();
    Results();
}

void GUIGameLogicWindow::Texts()
{
    menuControl->widget->AddTextByKey(3, 1, Vector2(0.0f, 0.0f), color, "GAME_LOGIC_MENU");
    levelTitleWindow->AddTextByKey(6, 1, Vector2(0.0f, 0.0f), color, "GAME_LOGIC_LEVEL");
    scoreTitleWindow->AddTextByKey(6, 1, Vector2(0.0f, 0.0f), color, "GAME_LOGIC_SCORE");
    // A Hide in the frame of the Show has forgotten the level and the player.
    if (gameLogic == nullptr || profile == nullptr || gameLogic->GetLevelRecord() == nullptr)
        return;
    const GameFramework::LevelRecord& record = *gameLogic->GetLevelRecord();
    levelControl->widget->AddWideText(10, 6, Vector2(0.0f, 0.0f), color,
                                      Wide(std::to_string(record.stageIndex + 1) + "-" +
                                           std::to_string(record.levelIndex + 1)));
    scoreControl->widget->AddWideText(10, 6, Vector2(0.0f, 0.0f), color, Wide(std::to_string(GetTotalScore())));
}

void GUIGameLogicWindow::Statistics()
{
    const std::string value = config->GetValueText(ShowStatistics);
    if (value.empty() || value == "0")
        return;
    const Color white(1.0f, 1.0f, 1.0f, 1.0f);
    const GUITextManager& texts = *guiManager->GetTextManager();
    const std::pair<const char*, std::uint32_t> lines[] = {{"FPS", timerManager->fps},
                                                           {"MODELS_COUNT", modelManager->visibleModels},
                                                           {"TRIANGLES_COUNT", modelManager->triangles}};
    float y = 512.0f;
    for (const auto& [key, count] : lines)
    {
        statisticsWindow->AddWideText(0, 0, Vector2(8.0f, y), white,
                                      texts.GetText(key) + u": " + Wide(std::to_string(count)));
        y -= 15.0f;
    }
}

void GUIGameLogicWindow::Results()
{
    if (!active)
        return;
    if (closeControl->button->clicked)
        result = 4;
    if (controls->IsKeyPressed("SPACE") || controls->IsKeyPressed("P"))
        result = 15;
    if (controls->IsKeyPressed("ESCAPE") || menuControl->button->clicked)
        result = 16;
}

} // namespace Mirabel
