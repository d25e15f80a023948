#include "game/menus/GUIControl.h"

#include "engine/core/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUITextManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "game/GameData.h"

#include <tuple>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr float Epsilon = 0.0001f;
constexpr std::int32_t AppearRange = 0;
constexpr std::int32_t DisappearRange = 1;
constexpr std::uint32_t ColouredHidden = GUIWindow::FlagColored;
constexpr std::int32_t EditFont = 6;
constexpr std::int32_t EditMaxLength = 20;
constexpr float EditVisibleWidth = 300.0f;
constexpr float EditSlack = 25.0f;

const Vector2 Origin{0.0f, 0.0f};
const Vector2 UnitSize{1.0f, 1.0f};

Vector2 Minus(const Vector2& a, const Vector2& b) { return Vector2(a.x - b.x, a.y - b.y); }

std::uint32_t FrameCount(const Model* model)
{
    const AnimationControl* animation = model != nullptr ? model->GetAnimationControl() : nullptr;
    return animation != nullptr ? animation->GetFrameCount() : 1;
}

AnimationControl* Animation(const GUIWindow* window)
{
    return window != nullptr && window->model != nullptr ? window->model->GetAnimationControl() : nullptr;
}

bool RangeStopped(const AnimationControl* animation, std::int32_t range)
{
    return animation != nullptr && animation->GetCurrentRangeId() == range && !animation->IsPlaying();
}

} // namespace

Vector2 GUIControl::GetModelPosition(const Model* model)
{
    const Vector3& corner = model->boundingVolume.worldMin;
    return Vector2(corner.x, corner.y);
}

Vector2 GUIControl::GetModelSize(const Model* model)
{
    const BoundingVolume& box = model->boundingVolume;
    return Vector2(box.worldMax.x - box.worldMin.x, box.worldMax.y - box.worldMin.y);
}

GUIControl::GUIControl(Engine* engine, GameData* gameData, std::uint32_t kind, const Model* animationModel,
                       const Model* widgetModel, const Model* hitAreaModel, const Model* textAreaModel,
                       GUIWindow* parent)
    : kind(kind),
      engine(engine),
      modelManager(engine->modelManager.get()),
      guiManager(engine->guiManager.get()),
      fontManager(engine->guiManager->GetFontManager()),
      textManager(engine->guiManager->GetTextManager()),
      gameData(gameData)
{
    const std::uint32_t frames = FrameCount(animationModel);
    const std::uint32_t flags = frames > 1 ? 0 : ColouredHidden;
    switch (kind)
    {
    case Picture:
        widget = guiManager->CreateWindow(flags, Origin, UnitSize, widgetModel, parent);
        if (AnimationControl* pose = Animation(widget); pose != nullptr && pose->GetFrameCount() > 1)
        {
            pose->time = static_cast<float>(pose->GetFrameCount()) - 1.0f - Epsilon;
            widget->model->SetFlags(Model::FlagVisible);
            widget->model->Update(false);
            widget->model->ClearFlags(Model::FlagVisible);
        }
        break;
    case Button:
        button = guiManager->CreateButton(flags, Origin, UnitSize, widgetModel, parent);
        widget = button;
        break;
    case ScrollHorizontal:
    case ScrollVertical:
        CreateScroll(widgetModel, parent);
        break;
    case CheckBox:
        checkBox = guiManager->CreateCheckBox(ColouredHidden, Origin, UnitSize, widgetModel, parent);
        widget = checkBox;
        break;
    case EditBox:
        CreateEditBox(widgetModel, parent);
        break;
    default:
        break;
    }

    const bool animated = (kind == Picture || kind == Button || kind == CheckBox) && frames > 1;
    if (animated)
    {
        animationWindow =
            kind == Picture ? widget : guiManager->CreateWindow(0, Origin, UnitSize, animationModel, parent);
        if (AnimationControl* animation = Animation(animationWindow))
        {
            animation->AddRange(AppearRange, 0, frames - 1);
            animation->AddRange(DisappearRange, frames - 1, 0);
            animation->repeat = false;
            animation->speed = DefaultSpeed;
        }
    }
    else if (widget != nullptr && animationModel != nullptr && widgetModel != nullptr)
    {
        const Vector2 shift = Minus(GetModelPosition(animationModel), GetModelPosition(widgetModel));
        if (widget->autoFit)
            widget->position = shift;
        else if (widget->model != nullptr)
        {
            // A scroll bar draws its bar from its model but places, draws and
            // hit-tests its thumb and step buttons from the window: both move.
            widget->position = shift;
            widget->model->worldMatrix.m[3] += shift.x;
            widget->model->worldMatrix.m[7] += shift.y;
        }
    }

    if (widget != nullptr)
    {
        if (hitAreaModel != nullptr)
        {
            widget->customHitRect = true;
            widget->hitRectOrigin = GetModelPosition(hitAreaModel);
            widget->hitRectSize = GetModelSize(hitAreaModel);
        }
        if (textAreaModel != nullptr)
        {
            widget->textArea = true;
            widget->textAreaOrigin = GetModelPosition(textAreaModel);
            widget->textAreaSize = GetModelSize(textAreaModel);
        }
    }
    if (widgetModel != nullptr)
        offset = GetModelPosition(widgetModel);
    keepWithModel = widgetModel != nullptr && widgetModel == gameData->buttonMainMenu ? 1 : 0;
}

void GUIControl::CreateScroll(const Model* widgetModel, GUIWindow* parent)
{
    const bool horizontal = kind == ScrollHorizontal;
    const Model* thumb = horizontal ? gameData->scrollHToddler : gameData->scrollVToddler;
    const Model* low = horizontal ? gameData->scrollHToddlerMin : gameData->scrollVToddlerMin;
    const Model* high = horizontal ? gameData->scrollHToddlerMax : gameData->scrollVToddlerMax;
    const Vector2 thumbCorner = GetModelPosition(thumb);
    const Vector2 thumbSize = GetModelSize(thumb);
    const Vector2 highEnd(high->boundingVolume.worldMax.x, high->boundingVolume.worldMax.y);
    const Vector2 trackStart = Minus(GetModelPosition(low), thumbCorner);
    const Vector2 trackEnd = horizontal ? Vector2(highEnd.x - thumbCorner.x - thumbSize.x, trackStart.y)
                                        : Vector2(trackStart.x, highEnd.y - thumbCorner.y - thumbSize.y);

    scroll = guiManager->CreateScroll(ColouredHidden, Origin, GetModelSize(widgetModel), widgetModel,
                                      horizontal ? 0 : 1, trackStart, trackEnd, 2, parent);
    widget = scroll;
    scroll->autoFit = false;
    scroll->SetThumb(UnitSize, thumb);
    if (GUIButton* grip = scroll->GetThumb())
    {
        grip->customHitRect = true;
        grip->hitRectOrigin = thumbCorner;
        grip->hitRectSize = Minus(highEnd, GetModelPosition(low));
    }

    // The vertical bar's step buttons sit at the opposite place models.
    const Model* decreaseArrow = horizontal ? gameData->buttonArrowLeft : gameData->buttonArrowUp;
    const Model* decreasePlace = horizontal ? gameData->scrollHButtonDecrease : gameData->scrollVButtonIncrease;
    const Model* increaseArrow = horizontal ? gameData->buttonArrowRight : gameData->buttonArrowDown;
    const Model* increasePlace = horizontal ? gameData->scrollHButtonIncrease : gameData->scrollVButtonDecrease;
    scroll->SetDecreaseButton(Origin, UnitSize, decreaseArrow);
    scroll->SetIncreaseButton(Origin, UnitSize, increaseArrow);
    for (auto [stepButton, arrow, place] : {std::tuple{scroll->GetDecreaseButton(), decreaseArrow, decreasePlace},
                                            std::tuple{scroll->GetIncreaseButton(), increaseArrow, increasePlace}})
    {
        if (stepButton == nullptr)
            continue;
        stepButton->position = Minus(GetModelPosition(place), GetModelPosition(arrow));
        stepButton->customHitRect = true;
        stepButton->hitRectOrigin = GetModelPosition(arrow);
        stepButton->hitRectSize = GetModelSize(arrow);
    }
    scroll->SetLevel(2);
    for (GUIButton* stepButton : {scroll->GetDecreaseButton(), scroll->GetIncreaseButton()})
        if (stepButton != nullptr)
            stepButton->SetLevel(-1);
}

void GUIControl::CreateEditBox(const Model* widgetModel, GUIWindow* parent)
{
    float welcomeWidth = 0.0f;
    if (const GUIFont* font = fontManager->GetFont(1))
        welcomeWidth = font->MeasureText(textManager->GetText("MAIN_MENU_WELCOME") + u", !", 0.0f).x;
    const float areaWidth = gameData->backgroundTextArea != nullptr ? GetModelSize(gameData->backgroundTextArea).x : 0.0f;
    editBox = guiManager->CreateEditBox(GUIWindow::FlagShown | GUIWindow::FlagColored, Origin, UnitSize, widgetModel,
                                        EditFont, Color(1.0f, 1.0f, 1.0f, 1.0f), Vector2(28.0f, 5.0f), EditMaxLength,
                                        areaWidth - welcomeWidth + EditSlack, EditVisibleWidth, u'_', parent);
    widget = editBox;
}

GUIControl::~GUIControl()
{
    if (animationWindow != widget)
        guiManager->ReleaseWindow(animationWindow);
    switch (kind)
    {
    case Button:
        guiManager->ReleaseButton(button);
        break;
    case ScrollHorizontal:
    case ScrollVertical:
        guiManager->ReleaseScroll(scroll);
        break;
    case CheckBox:
        guiManager->ReleaseCheckBox(checkBox);
        break;
    case EditBox:
        guiManager->ReleaseEditBox(editBox);
        break;
    default:
        guiManager->ReleaseWindow(widget);
        break;
    }
}

const Model* GUIControl::AnimationModel() const { return animationWindow != nullptr ? animationWindow->model : nullptr; }

void GUIControl::Appear()
{
    if (enabled == 0 || animationWindow == nullptr)
        return;
    animationWindow->SetFlags(GUIWindow::FlagShown);
    if (keepWithModel != 0)
        widget->SetFlags(GUIWindow::FlagShown);
    if (AnimationControl* animation = Animation(animationWindow))
    {
        animation->SetAnimation(AppearRange);
        animation->Play();
    }
}

void GUIControl::Disappear()
{
    if (enabled == 0 || animationWindow == nullptr)
        return;
    if (keepWithModel == 0)
        widget->ClearFlags(GUIWindow::FlagShown);
    animationWindow->SetFlags(GUIWindow::FlagShown);
    if (AnimationControl* animation = Animation(animationWindow))
    {
        animation->SetAnimation(DisappearRange);
        animation->Play();
    }
}

void GUIControl::Update()
{
    if (enabled == 0 || widget == nullptr)
        return;
    if (animationWindow == nullptr)
    {
        if (color.a > Epsilon)
        {
            widget->SetFlags(GUIWindow::FlagShown);
            widget->SetColor(color);
        }
        else
            widget->ClearFlags(GUIWindow::FlagShown);
        return;
    }
    const AnimationControl* animation = Animation(animationWindow);
    if (animationWindow->visible && RangeStopped(animation, AppearRange) && (widget->flags & GUIWindow::FlagShown) == 0)
    {
        animationWindow->ClearFlags(GUIWindow::FlagShown);
        widget->SetFlags(GUIWindow::FlagShown);
        if (animationWindow != widget)
            widget->position = Minus(GetModelPosition(AnimationModel()), offset);
    }
    else if (RangeStopped(animation, DisappearRange) && animationWindow->visible)
        animationWindow->ClearFlags(GUIWindow::FlagShown);
    if (keepWithModel != 0 && gameData->buttonMainMenu != nullptr)
        widget->position = Minus(GetModelPosition(AnimationModel()), GetModelPosition(gameData->buttonMainMenu));
}

bool GUIControl::IsAppearing() const
{
    const AnimationControl* animation = Animation(animationWindow);
    return animation != nullptr && animation->GetCurrentRangeId() == AppearRange && animation->IsPlaying();
}

bool GUIControl::IsVisible() const
{
    return (animationWindow != nullptr && animationWindow->visible) || widget->visible;
}

void GUIControl::SetAnimationSpeed(float framesPerSecond)
{
    if (AnimationControl* animation = Animation(animationWindow))
        animation->speed = framesPerSecond;
}

} // namespace Mirabel
