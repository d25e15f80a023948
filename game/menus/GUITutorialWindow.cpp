#include "game/menus/GUITutorialWindow.h"

#include "engine/core/TimerManager.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/Profile.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"

#include <algorithm>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr float Epsilon = 0.0001f;
constexpr float PictureSpeed = 8.0f;

struct Interval
{
    float first;
    float last;
};

constexpr Interval LeftPressed[] = {{4, 6},   {19, 21}, {24, 26}, {34, 36}, {39, 41},
                                    {59, 61}, {74, 76}, {79, 81}, {89, 91}};
constexpr Interval RightPressed[] = {{52, 54}};

bool Within(const Interval* intervals, std::size_t count, float f)
{
    return std::any_of(intervals, intervals + count, [f](const Interval& i) { return f >= i.first && f <= i.last; });
}

} // namespace

GUITutorialWindow::GUITutorialWindow(Engine* engine, GameFramework::SoundController* soundController,
                                     GameFramework::ProfileManagerBase* profileManager, GameData* gameData,
                                     GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 3, parent), profileManager(profileManager)
{
    const GUIMenuButtons::Models models = GUIMenuButtons::Small(*gameData);
    backControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->largeWindowButtons[0], models);
    continueControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->largeWindowButtons[1], models);
    doNotShowControl = GUIMenuButtons::Add(*this, engine, gameData, GUIControl::CheckBox, gameData->relaxCheckBox,
                                           {gameData->checkBox, gameData->checkBox, nullptr});

    const struct
    {
        const Model* model;
        std::int32_t level;
    } made[PictureCount] = {{gameData->tutorialBackground, 1},    {gameData->tutorialClosedElement, 2},
                            {gameData->tutorialElements[0], 6},   {gameData->tutorialElements[1], 5},
                            {gameData->tutorialElements[2], 4},   {gameData->tutorialElements[3], 3},
                            {gameData->tutorialMouse, 1},         {gameData->tutorialMouseControl, 7}};
    for (std::uint32_t p = 0; p < PictureCount; ++p)
    {
        pictures[p] = guiManager->CreateWindow(GUIWindow::FlagShown | GUIWindow::FlagColored, Vector2(0.0f, 0.0f),
                                               Vector2(1.0f, 1.0f), made[p].model, frameWindow);
        pictures[p]->SetLevel(made[p].level);
    }
    for (Picture p : {Element0, Element1, Element2, Element3, MousePath})
        if (AnimationControl* animation = Animation(p))
        {
            animation->speed = PictureSpeed;
            animation->repeat = false;
        }
    if (AnimationControl* mouse = Animation(Mouse))
    {
        mouse->speed = 0.0f;
        mouse->repeat = false;
    }
    pictures[MousePath]->SetColor(Color(1.0f, 1.0f, 1.0f, 0.0f));
    pictureList = {pictures[Background], pictures[ClosedElement], pictures[Element0], pictures[Element1],
                   pictures[Element2],   pictures[Element3],      pictures[Mouse]};
    SetTitle("TUTORIAL_TITLE");
}

GUITutorialWindow::~GUITutorialWindow()
{
    backControl.reset();
    continueControl.reset();
    doNotShowControl.reset();
    for (GUIWindow* picture : pictures)
        guiManager->ReleaseWindow(picture);
}

AnimationControl* GUITutorialWindow::Animation(Picture picture) const
{
    const GUIWindow* window = pictures[picture];
    return window != nullptr && window->model != nullptr ? window->model->GetAnimationControl() : nullptr;
}

std::uint32_t GUITutorialWindow::MouseFrame(float f)
{
    if (Within(LeftPressed, std::size(LeftPressed), f))
        return 2;
    if (Within(RightPressed, std::size(RightPressed), f))
        return 1;
    return 0;
}

void GUITutorialWindow::StopLoop()
{
    for (Picture p : {Element0, Element1, Element2, Element3, MousePath})
        if (AnimationControl* animation = Animation(p))
            animation->Stop();
}

void GUITutorialWindow::Show()
{
    if (showFlag == 0)
    {
        skipPending = 1;
        return;
    }
    SetOpen(1);
    doNotShowControl->checkBox->checked = false;
    StopLoop();
    for (GUIWindow* picture : pictureList)
        picture->SetColor(Color(1.0f, 1.0f, 1.0f, 0.0f));
    pauseClock = 0.0f;
}

void GUITutorialWindow::Hide()
{
    if (showFlag != 0 || (frameWindow != nullptr && frameWindow->visible))
        SetOpen(0);
}

void GUITutorialWindow::Update()
{
    if (showFlag == 0 && skipPending != 0)
    {
        result = 13;
        skipPending = 0;
        return;
    }
    result = 0;
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;

    AnimationControl* path = Animation(MousePath);
    if (path != nullptr && color.a + Epsilon > 1.0f && !path->IsPlaying())
    {
        if (path->time <= Epsilon)
        {
            for (Picture p : {Element0, Element1, Element2, Element3, MousePath})
                if (AnimationControl* animation = Animation(p))
                    animation->Play();
        }
        else
        {
            pauseClock += timerManager->frameTime;
            if (pauseClock > PauseSeconds)
            {
                StopLoop();
                pauseClock = 0.0f;
            }
        }
    }

    const float f = path != nullptr ? path->time : 0.0f;
    if (pictures[MousePath]->model != nullptr)
        pictures[Mouse]->position = GUIControl::GetModelPosition(pictures[MousePath]->model);
    if (AnimationControl* mouse = Animation(Mouse))
        mouse->time = static_cast<float>(MouseFrame(f));

    const float closing = std::clamp(f - 75.0f, 0.0f, 5.0f);
    for (GUIWindow* picture : pictureList)
        picture->SetColor(color);
    pictures[ClosedElement]->SetColor(Color(1.0f, 1.0f, 1.0f, (1.0f - closing / 5.0f) * color.a));

    if (GUIMenuButtons::Clicked(*this, *continueControl))
    {
        if (doNotShowControl->checkBox->checked)
            if (auto* profile = static_cast<Profile*>(profileManager->currentProfile))
            {
                profile->tutorialFlag = 0;
                profile->Save();
            }
        result = 13;
    }
    if (GUIMenuButtons::Clicked(*this, *backControl))
        result = 3;

    frameWindow->AddTextByKey(0, GUIMenuButtons::LabelFont, Vector2(195.0f, 23.0f), color, "TUTORIAL_DO_NOT_SHOW", -1,
                              0.0f, 19.0f);
    GUIMenuButtons::Label(*this, *backControl, "BACK");
    GUIMenuButtons::Label(*this, *continueControl, "TUTORIAL_CONTINUE");
}

} // namespace Mirabel
