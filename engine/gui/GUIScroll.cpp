#include "engine/gui/GUIScroll.h"

#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"

#include <algorithm>
#include <cstdint>

namespace OrvaneEngine
{
namespace
{

constexpr std::uint32_t ThumbLevel = 2;
constexpr std::uint32_t ThumbHoverEvent = 8;
constexpr std::uint32_t ThumbPressEvent = 9;
constexpr std::uint32_t StepHoverEvent = 10;
constexpr std::uint32_t StepPressEvent = 11;
// The leftover of a frame time that counts as no time at all, so that a
// frame that lands on a repeat by rounding does not step twice.
constexpr float RepeatTolerance = 0.0001f;

} // namespace

GUIScroll::GUIScroll(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                     GUIFontManager* fontManager_, GUITextManager* textManager_, GUISoundManager* soundManager_,
                     TimerManager* timers_, Camera* guiCamera_, std::uint32_t flags_, const Vector2& position_,
                     const Vector2& size_, const Model* source, std::uint32_t orientation_,
                     const Vector2& trackStart_, const Vector2& trackEnd_, std::uint32_t positionCount_,
                     GUIWindow* parent_)
    : GUISlider(log_, shaderManager_, modelManager_, fontManager_, textManager_, soundManager_, guiCamera_, flags_,
                position_, size_, source, orientation_, trackStart_, trackEnd_, positionCount_, parent_),
      timers(timers_)
{
    GUIScroll::SetThumb(Vector2(0.0f, 0.0f), nullptr);
    SetIncreaseButton(Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr);
    SetDecreaseButton(Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr);
}

GUIScroll::~GUIScroll()
{
    delete increaseButton;
    increaseButton = nullptr;
    delete decreaseButton;
    decreaseButton = nullptr;
}

void GUIScroll::SetUpThumb()
{
    thumb->SetLevel(ThumbLevel);
    thumb->hoverEvent = ThumbHoverEvent;
    thumb->pressEvent = ThumbPressEvent;
}

void GUIScroll::SetThumbFromFile(const Vector2& thumbSize_, const std::string& modelFileName)
{
    GUISlider::SetThumbFromFile(thumbSize_, modelFileName);
    SetUpThumb();
}

void GUIScroll::SetThumb(const Vector2& thumbSize_, const Model* source)
{
    GUISlider::SetThumb(thumbSize_, source);
    SetUpThumb();
}

void GUIScroll::SetTexturedThumb(const Vector2& thumbSize_, const ShaderDescriptor* descriptor,
                                 const Vector2& textureExtent)
{
    GUISlider::SetTexturedThumb(thumbSize_, descriptor, textureExtent);
    SetUpThumb();
}

GUIButton* GUIScroll::MakeStepButton(const Vector2& position_, const Vector2& size_, const Model* source)
{
    auto* created = new GUIButton(log, shaderManager, modelManager, fontManager, textManager, soundManager,
                                  guiCamera, ChildFlags(), position_, size_, source, this);
    created->hoverEvent = StepHoverEvent;
    created->pressEvent = StepPressEvent;
    return created;
}

void GUIScroll::SetIncreaseButton(const Vector2& position_, const Vector2& size_, const Model* source)
{
    delete increaseButton;
    increaseButton = nullptr;
    increaseButton = MakeStepButton(position_, size_, source);
}

void GUIScroll::SetDecreaseButton(const Vector2& position_, const Vector2& size_, const Model* source)
{
    delete decreaseButton;
    decreaseButton = nullptr;
    decreaseButton = MakeStepButton(position_, size_, source);
}

bool GUIScroll::Update(const Vector2& cursor, bool held, bool pressed)
{
    if (!GUISlider::Update(cursor, held, pressed))
    {
        repeatTime = 0.0f;
        return false;
    }
    increaseButton->Update(cursor, held, pressed);
    decreaseButton->Update(cursor, held, pressed);
    const bool up = increaseButton->tracking && increaseButton->hovered;
    const bool down = decreaseButton->tracking && decreaseButton->hovered;
    if (!up && !down)
    {
        repeatTime = 0.0f;
        return true;
    }
    repeatTime += timers->frameTime;
    while (repeatTime > RepeatTolerance)
    {
        repeatTime -= RepeatInterval;
        // Signed, so that a step past 0 stops at 0 instead of wrapping.
        const std::int64_t last = static_cast<std::int64_t>(positionCount) - 1;
        std::int64_t moved = sliderPosition;
        if (up)
            moved = std::min(moved + static_cast<std::int64_t>(step), last);
        if (down)
            moved = std::max(moved - static_cast<std::int64_t>(step), std::int64_t{0});
        sliderPosition = static_cast<std::uint32_t>(moved);
    }
    return true;
}

bool GUIScroll::Render()
{
    if (!GUISlider::Render())
        return false;
    increaseButton->Render();
    decreaseButton->Render();
    return true;
}

void GUIScroll::SetColor(const Color& color)
{
    GUISlider::SetColor(color);
    increaseButton->SetColor(color);
    decreaseButton->SetColor(color);
}

void GUIScroll::SetEnabled(bool enable)
{
    GUISlider::SetEnabled(enable);
    increaseButton->SetEnabled(enable);
    decreaseButton->SetEnabled(enable);
}

bool GUIScroll::IsDragging() const
{
    return thumb->tracking || increaseButton->tracking || decreaseButton->tracking;
}

} // namespace OrvaneEngine
