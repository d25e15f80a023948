#include "game/menus/GUIStartGameLogicWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/StageRecord.h"
#include "game/GameData.h"
#include "game/LevelManager.h"
#include "game/MiniGame.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIGameCompleteEffect.h"
#include "game/menus/GUIMapElement.h"
#include "game/menus/GUIMenuButtons.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIModelFrame.h"
#include "game/menus/MapFile.h"
#include "tools/GUIDoubleClickDetecter.h"

#include <algorithm>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr float Epsilon = 0.0001f;
constexpr float PreviewStep = 0.15f;
constexpr float PreviewFade = 0.3f;
constexpr float PreviewSecondPass = 0.6f;

bool Before(const GUIMapElement& element, std::uint32_t stage, std::uint32_t level)
{
    return element.stage < stage || (element.stage == stage && element.index < level);
}

bool At(const GUIMapElement& element, std::uint32_t stage, std::uint32_t level)
{
    return element.stage == stage && element.index == level;
}

Color Times(const Color& a, const Color& b) { return Color(a.r * b.r, a.g * b.g, a.b * b.b, a.a * b.a); }

} // namespace

GUIStartGameLogicWindow::GUIStartGameLogicWindow(Engine* engine, GameFramework::SoundController* soundController,
                                                 GameData* gameData, GUIMenuWindowManager* menuWindowManager,
                                                 LevelManager* levelManagerIn,
                                                 GameFramework::ProfileManagerBase* profileManagerIn,
                                                 GUIGameCompleteEffect* effectIn, GUIWindow* parent)
    : GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 3, parent),
      messageManager(engine->messageManager.get()), fileManager(engine->fileManager.get()),
      levelManager(levelManagerIn), profileManager(profileManagerIn), effect(effectIn)
{
    miniGame = std::make_unique<MiniGame>(engine, soundController, levelManager, gameData, menuWindowManager,
                                          frameControl.get());
    mapControl = std::make_unique<GUIControl>(engine, gameData, GUIControl::Picture, gameData->stageMap,
                                              gameData->stageMap, nullptr, gameData->stageMap, frameWindow);
    const GUIMenuButtons::Models small = GUIMenuButtons::Small(*gameData);
    backControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->largeWindowButtons[0], small);
    startControl = std::make_unique<GUIControl>(engine, gameData, GUIControl::Button, gameData->largeWindowButtons[1],
                                                small.widget, small.hitArea, small.textArea, frameWindow);
    relaxControl = std::make_unique<GUIControl>(engine, gameData, GUIControl::CheckBox, gameData->relaxCheckBox,
                                                gameData->checkBox, gameData->checkBox, nullptr, frameWindow);
    for (const Model* model : {gameData->stageMap, gameData->largeWindowButtons[1], gameData->relaxCheckBox})
    {
        // These controls fade with their colour alone and never play an appear animation.
        const AnimationControl* animation = model != nullptr ? model->GetAnimationControl() : nullptr;
        if (animation != nullptr && animation->GetFrameCount() > 1)
            messageManager->Warning("A stage map control model has an animation of " +
                                    std::to_string(animation->GetFrameCount()) + " frames, which is not played");
    }
    detecter = std::make_unique<GameTools::GUIDoubleClickDetecter>(engine);
    LoadMap();
    CreateTotems();
    SetTitle("START_GAME_TITLE");
}

GUIStartGameLogicWindow::~GUIStartGameLogicWindow()
{
    elements.clear();
    for (std::uint32_t s = 0; s < Totems; ++s)
    {
        guiManager->ReleaseWindow(frontTotems[s]);
        guiManager->ReleaseWindow(backTotems[s]);
    }
}

void GUIStartGameLogicWindow::LoadMap()
{
    std::vector<MapFile::Element> read;
    try
    {
        read = MapFile::Read(fileManager, MapFile::Path, stageCount);
    }
    catch (const FileError& error)
    {
        messageManager->Fatal(error.GetText());
    }
    for (const MapFile::Element& element : read)
        elements.push_back(std::make_unique<GUIMapElement>(GUIMenuWindow::engine, gameData, detecter.get(),
                                                           element.type, element.matrix, element.stage,
                                                           element.index, mapControl->widget));
    if (!elements.empty() && stageCount + 1 > Totems)
        messageManager->Warning("The stage map holds " + std::to_string(stageCount + 1) + " stages; only " +
                                std::to_string(Totems) + " have a totem");
    CheckAgainstLevels();
}

void GUIStartGameLogicWindow::CheckAgainstLevels() const
{
    const std::size_t mapStages = elements.empty() ? 0 : stageCount + 1;
    std::vector<std::uint32_t> perStage(mapStages, 0);
    for (const auto& element : elements)
        ++perStage[element->stage];
    bool same = mapStages == levelManager->stages.size();
    for (std::size_t s = 0; same && s < mapStages; ++s)
        same = perStage[s] == levelManager->stages[s]->levelCount;
    if (!same)
        messageManager->Error("The stage map's markers do not match the level lists: " + std::to_string(mapStages) +
                              " stages on the map, " + std::to_string(levelManager->stages.size()) + " in the lists");
}

void GUIStartGameLogicWindow::CreateTotems()
{
    const Model* totem = gameData->controlsTotem;
    for (std::uint32_t s = 0; s < Totems; ++s)
    {
        for (auto* windows : {&backTotems, &frontTotems})
        {
            GUIWindow* window = guiManager->CreateWindow(3, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), totem,
                                                         frameWindow);
            window->autoFit = false;
            (*windows)[s] = window;
            Model* model = window->model;
            const Model* stageModel = s < gameData->totemModels.size() ? gameData->totemModels[s] : nullptr;
            if (model == nullptr || stageModel == nullptr)
                continue;
            const BoundingVolume& own = model->boundingVolume;
            const BoundingVolume& target = stageModel->boundingVolume;
            const Vector3 half = (own.worldMax - own.worldMin) * 0.5f;
            const Vector3 centre = (own.worldMax + own.worldMin) * 0.5f;
            const float targetHalf = (target.worldMax.x - target.worldMin.x) * 0.5f;
            const float scale = half.x > 0.0f ? targetHalf / half.x : 1.0f;
            Matrix4 toOrigin;
            Matrix4::Translation(toOrigin, Vector3(-centre.x, -centre.y, -centre.z));
            Matrix4 onStage;
            Matrix4::Translation(onStage, Vector3(target.worldMin.x + half.x * scale,
                                                  target.worldMin.y + half.y * scale, centre.z));
            model->worldMatrix =
                onStage.Multiply(Matrix4::MakeScaling(Vector3(scale, scale, 1.0f))).Multiply(toOrigin);
            model->boundingVolume.SetMatrix(model->worldMatrix);
            if (AnimationControl* animation = model->GetAnimationControl())
                animation->Stop();
        }
        backTotems[s]->level = 1;
        frontTotems[s]->level = 11;
        GUIModelFrame::SetClamped(backTotems[s], 2 * s + 1);
        GUIModelFrame::SetClamped(frontTotems[s], 2 * s);
    }
}

bool GUIStartGameLogicWindow::AtLastLevel() const
{
    return profile != nullptr && levelManager->IsLastLevel(profile->nextStage, profile->nextLevel);
}

bool GUIStartGameLogicWindow::LastLevelWon() const
{
    // When the last stage holds one level, the position after the stage
    // before it is the last level too; only winning the last level ends the
    // game in progress.
    return AtLastLevel() && !profile->gameInProgress;
}

std::uint32_t GUIStartGameLogicWindow::MiniGameStage() const
{
    if (profile == nullptr)
        return 0;
    if (LastLevelWon())
        return profile->nextStage;
    // The position has moved on to the next stage's first level; a position
    // that has not cannot go below the first stage.
    return profile->nextStage > 0 ? profile->nextStage - 1 : 0;
}

std::uint32_t GUIStartGameLogicWindow::CompletedStages() const
{
    if (profile == nullptr)
        return 0;
    const bool reached =
        profile->nextStage == profile->GetReachedStage() && profile->nextLevel == profile->GetReachedLevel();
    return profile->nextStage + (AtLastLevel() && reached && profile->GetReachedEnd() ? 1 : 0);
}

std::vector<GUIControl*> GUIStartGameLogicWindow::OwnControls() const
{
    return {mapControl.get(), startControl.get(), relaxControl.get()};
}

void GUIStartGameLogicWindow::Show(std::uint32_t callerCodeIn)
{
    GUIStartGameLogicWindowBase::Show(callerCodeIn);
    profile = profileManager->currentProfile;
    if (callerCode == 13 || callerCode == 8 || callerCode == 6)
        return;
    bool relax = callerCode == 2;
    if (callerCode == 7)
    {
        if (profile != nullptr && profile->gameInProgress)
            return;
        callerCode = 0;
        relax = true;
    }
    relaxControl->enabled = relax ? 1 : 0;
    relaxControl->checkBox->SetEnabled(relax);
    if (callerCode == 9)
    {
        SetTitle("MINI_GAME_TITLE");
        miniGame->Start(MiniGameStage());
    }
    else
        SetTitle("START_GAME_TITLE");
    SetOpen(1);
    ownColor = Color(1.0f, 1.0f, 1.0f, 0.0f);
    if (profile != nullptr)
        SetMapPosition(profile->nextStage, profile->nextLevel);
    const std::uint32_t completed = CompletedStages();
    for (std::uint32_t s = 0; s < Totems; ++s)
        totemAlphas[s] = s < completed ? 1.0f : 0.0f;
    if (callerCode == 9 && MiniGameStage() < Totems)
        totemAlphas[MiniGameStage()] = 0.0f;
    for (const auto& element : elements)
    {
        element->SetAlpha(0.0f);
        if (callerCode == 9)
            element->Lock();
    }
    relaxControl->checkBox->checked = profile != nullptr && profile->mode != 0;
    introRunning = true;
    introClock = 0.0f;
    effectShown = false;
}

void GUIStartGameLogicWindow::Hide()
{
    GUIStartGameLogicWindowBase::Hide();
    SetOpen(0);
}

void GUIStartGameLogicWindow::SetMapPosition(std::uint32_t stage, std::uint32_t level)
{
    if (profile == nullptr)
        return;
    const std::uint32_t reachedStage = profile->GetReachedStage();
    const std::uint32_t reachedLevel = profile->GetReachedLevel();
    if (stage > reachedStage)
    {
        stage = reachedStage;
        level = reachedLevel;
    }
    else if (stage == reachedStage && level > reachedLevel)
        level = reachedLevel;

    for (const auto& element : elements)
    {
        if (element->type == MapFile::TypePath)
            element->SetCheckPointModel(false);
        element->SetVisible(false);
    }
    for (const auto& element : elements)
    {
        if (Before(*element, stage, level))
            element->SetState(GUIMapElement::StatePassed);
        else if (At(*element, stage, level))
        {
            if (element->type == MapFile::TypePath)
                element->SetCheckPointModel(true);
            element->SetState(GUIMapElement::StateCurrent);
            profile->nextStage = stage;
            profile->nextLevel = level;
            profile->Save();
        }
        else
            element->SetState(GUIMapElement::StateOpen);
        element->SetVisible(true);
        if (At(*element, reachedStage, reachedLevel))
            break;
    }
    menuWindowManager->UpdateReachedStages();
}

void GUIStartGameLogicWindow::Update()
{
    GUIStartGameLogicWindowBase::Update();
    if (callerCode == 7 || callerCode == 13 || callerCode == 8 || callerCode == 6)
    {
        result = 23;
        callerCode = 0;
        return;
    }
    const float alphaBefore = color.a;
    bool fullyOpen = color.a + Epsilon > 1.0f;
    GUIMenuWindow::Update();
    fullyOpen = fullyOpen && color.a + Epsilon > 1.0f;
    const float dt = timerManager->frameTime;

    const bool completedBefore = miniGame->completed;
    miniGame->Update(color);
    if (!completedBefore && miniGame->completed)
    {
        for (GUIControl* control : OwnControls())
            control->Appear();
        if (miniGame->GetStage() < Totems)
            totemAlphas[miniGame->GetStage()] = 1.0f;
        SetTitle(LastLevelWon() ? "GAME_COMPLETE_TITLE" : "START_GAME_STAGE_COMPLETE_TITLE");
        menuWindowManager->SetText(title);
    }
    if (frameWindow == nullptr || !frameWindow->visible)
        return;

    bool gameComplete = false;
    if (!miniGame->running)
    {
        ownColor = Color(1.0f, 1.0f, 1.0f, 1.0f);
        const std::uint32_t completed = CompletedStages();
        for (std::uint32_t s = 0; s < Totems; ++s)
        {
            const float target = s < completed ? 1.0f : 0.0f;
            totemAlphas[s] = target > totemAlphas[s] ? std::min(totemAlphas[s] + 2.0f * dt, target)
                                                     : std::max(totemAlphas[s] - 2.0f * dt, target);
        }
    }
    else
    {
        if (miniGame->completed)
        {
            ownColor.a = std::min(ownColor.a + 2.0f * dt, 1.0f);
            gameComplete = LastLevelWon();
        }
        // The markers stay locked and unseen under the mini game until the
        // controls have faded back in.
        if (ownColor.a < 1.0f - Epsilon)
            fullyOpen = false;
    }

    for (GUIControl* control : OwnControls())
    {
        control->color = Times(color, ownColor);
        if (control == startControl.get() && gameComplete)
            control->color = Color(0.0f, 0.0f, 0.0f, 0.0f);
        control->Update();
    }

    if (gameComplete)
    {
        const float shown = ownColor.a * color.a;
        if (shown + Epsilon > 0.2f && !effectShown && effect != nullptr)
        {
            effect->Show();
            effectShown = true;
        }
        if (shown + Epsilon > 1.0f)
        {
            menuWindowManager->HideLogos();
            Hide();
        }
    }

    for (std::uint32_t s = 0; s < Totems; ++s)
    {
        backTotems[s]->SetColor(Color(1.0f, 1.0f, 1.0f, color.a));
        frontTotems[s]->SetColor(Color(1.0f, 1.0f, 1.0f, color.a * totemAlphas[s]));
    }

    if (!IsOpen() && alphaBefore > Epsilon && color.a < Epsilon)
        for (GUIControl* control : OwnControls())
            control->Disappear();

    if (GUIMenuButtons::Clicked(*this, *backControl))
        result = 3;
    if (GUIMenuButtons::Clicked(*this, *startControl))
        result = callerCode == 2 ? 27 : 23;
    if (IsOpen() && relaxControl->checkBox->clicked && profile != nullptr)
    {
        profile->mode = relaxControl->checkBox->checked ? 1 : 0;
        profile->Save();
    }
    Labels();
    detecter->Update();
    UpdateElements(fullyOpen, gameComplete);
}

void GUIStartGameLogicWindow::Labels()
{
    GUIMenuButtons::Label(*this, *backControl, "BACK");
    if (startControl->widget != nullptr)
        startControl->widget->AddTextByKey(3, GUIMenuButtons::LabelFont, Vector2(0.0f, 0.0f), Times(color, ownColor),
                                           callerCode == 9 ? "START_GAME_CONTINUE" : "START_GAME_START");
    if (relaxControl->enabled != 0)
        frameWindow->AddTextByKey(0, GUIMenuButtons::LabelFont, Vector2(195.0f, 23.0f), color,
                                  "START_GAME_RELAX_MODE", -1, 0.0f, 19.0f);
}

void GUIStartGameLogicWindow::UpdateElements(bool fullyOpen, bool gameComplete)
{
    if (!fullyOpen)
    {
        const float alpha = gameComplete ? 0.0f : color.a * ownColor.a;
        for (const auto& element : elements)
            element->SetAlpha(alpha);
        return;
    }
    for (std::size_t i = 0; i < elements.size(); ++i)
    {
        GUIMapElement& element = *elements[i];
        if (!element.IsVisible() || element.state == GUIMapElement::StateUnavailable ||
            element.state == GUIMapElement::StateHighlighted)
            break;
        element.UpdateHighlight(i == 0 || !elements[i - 1]->highlighted);
        if (element.IsClicked())
        {
            SetMapPosition(element.stage, element.index);
            break;
        }
    }
    for (const auto& element : elements)
        if (element->IsVisible() && element->IsDoubleClicked())
            result = 23;
    if (introRunning)
        UpdatePreview();
}

void GUIStartGameLogicWindow::UpdatePreview()
{
    introClock += timerManager->frameTime;
    if (profile == nullptr)
        return;
    const std::uint32_t reachedStage = profile->GetReachedStage();
    const auto first = std::find_if(elements.begin(), elements.end(),
                                    [&](const auto& element) { return element->stage == reachedStage; });
    const std::size_t firstIndex = static_cast<std::size_t>(first - elements.begin());
    const std::size_t start = firstIndex + profile->GetReachedLevel();
    // A map out of step with the level lists may lack the reached element.
    if (first == elements.end() || start >= elements.size() || elements[start]->stage != reachedStage)
    {
        if (!previewMissingLogged)
            messageManager->Error("The stage map has no marker for the level reached");
        previewMissingLogged = true;
        return;
    }
    for (int pass = 0; pass < 2; ++pass)
    {
        float t = pass == 0 ? introClock : introClock - PreviewSecondPass;
        if (t < 0.0f)
            return;
        for (std::size_t j = start + 1; j < elements.size(); ++j)
        {
            GUIMapElement& element = *elements[j];
            if (!element.IsVisible())
            {
                element.SetVisible(true);
                element.SetState(GUIMapElement::StateUnavailable);
            }
            const float fade = t <= PreviewFade ? t / PreviewFade : 1.0f;
            element.SetAlpha(pass == 0 ? fade : 1.0f - fade);
            t -= PreviewStep;
            if (element.type != MapFile::TypePath)
            {
                if (pass == 1 && t > 1.0f)
                    introClock = 0.0f;
                break;
            }
            if (t < Epsilon)
                break;
        }
    }
}

} // namespace Mirabel
