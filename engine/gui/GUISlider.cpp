#include "engine/gui/GUISlider.h"

#include "engine/core/Matrix4.h"
#include "engine/core/Vector3.h"
#include "engine/gui/GUIButton.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"

#include <algorithm>
#include <cmath>

namespace OrvaneEngine
{
namespace
{

constexpr std::uint32_t MinimumCount = 2;
constexpr std::uint32_t ThumbHoverEvent = 6;
constexpr std::uint32_t ThumbPressEvent = 7;

// A cursor that is not a number must not reach the conversion to an
// unsigned position: it counts as the track start.
float ClampUnit(float t)
{
    if (!(t > 0.0f))
        return 0.0f;
    return t > 1.0f ? 1.0f : t;
}

float Along(const Vector2& v, std::uint32_t orientation)
{
    return orientation == 0 ? v.x : v.y;
}

} // namespace

GUISlider::GUISlider(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                     GUIFontManager* fontManager_, GUITextManager* textManager_, GUISoundManager* soundManager_,
                     Camera* guiCamera_, std::uint32_t flags_, const Vector2& position_, const Vector2& size_,
                     const Model* source, std::uint32_t orientation_, const Vector2& trackStart_,
                     const Vector2& trackEnd_, std::uint32_t positionCount_, GUIWindow* parent_)
    : GUIWindow(log_, shaderManager_, modelManager_, fontManager_, textManager_, guiCamera_, flags_, position_, size_,
                source, parent_),
      soundManager(soundManager_), guiCamera(guiCamera_), orientation(orientation_), trackStart(trackStart_),
      trackEnd(trackEnd_), positionCount(std::max(positionCount_, MinimumCount))
{
    GUISlider::SetThumb(Vector2(0.0f, 0.0f), nullptr);
}

GUISlider::~GUISlider()
{
    delete thumb;
}

std::uint32_t GUISlider::ChildFlags() const
{
    return (flags & FlagColored) != 0 ? (FlagShown | FlagColored) : FlagShown;
}

Vector2 GUISlider::ThumbRectSize() const
{
    return Vector2(thumbSize.x + trackEnd.x - trackStart.x, thumbSize.y + trackEnd.y - trackStart.y);
}

void GUISlider::AdoptThumb(GUIButton* created)
{
    thumb = created;
    thumb->autoFit = false;
    thumb->hoverEvent = ThumbHoverEvent;
    thumb->pressEvent = ThumbPressEvent;
}

void GUISlider::SetThumbFromFile(const Vector2& thumbSize_, const std::string& modelFileName)
{
    delete thumb;
    thumb = nullptr;
    thumbSize = thumbSize_;
    AdoptThumb(new GUIButton(log, shaderManager, modelManager, fontManager, textManager, soundManager, guiCamera,
                             ChildFlags(), trackStart, ThumbRectSize(), modelFileName, this));
}

void GUISlider::SetThumb(const Vector2& thumbSize_, const Model* source)
{
    delete thumb;
    thumb = nullptr;
    thumbSize = thumbSize_;
    AdoptThumb(new GUIButton(log, shaderManager, modelManager, fontManager, textManager, soundManager, guiCamera,
                             ChildFlags(), trackStart, ThumbRectSize(), source, this));
}

void GUISlider::SetTexturedThumb(const Vector2& thumbSize_, const ShaderDescriptor* descriptor,
                                 const Vector2& textureExtent)
{
    delete thumb;
    thumb = nullptr;
    thumbSize = thumbSize_;
    AdoptThumb(new GUIButton(log, shaderManager, modelManager, fontManager, textManager, soundManager, guiCamera,
                             ChildFlags(), trackStart, ThumbRectSize(), descriptor, this,
                             textureExtent));
}

void GUISlider::SetPosition(std::uint32_t position_)
{
    sliderPosition = std::min(position_, positionCount - 1);
}

void GUISlider::SetPositionCount(std::uint32_t count)
{
    if (count == positionCount)
        return;
    positionCount = std::max(count, MinimumCount);
    SetPosition(sliderPosition);
}

std::uint32_t GUISlider::PositionAt(const Vector2& cursor) const
{
    // In f32 throughout: a cursor halfway between two positions must snap the
    // same way on every build.
    const float start = Along(trackStart, orientation);
    const float length = std::max(Along(trackEnd, orientation) - start, 1.0f);
    const float corner = Along(GetAbsolutePosition(), orientation);
    float t = ClampUnit((Along(cursor, orientation) - corner - start - Along(thumbSize, orientation) * 0.5f) / length);
    if (reversed)
        t = 1.0f - t;
    const float f = static_cast<float>(positionCount - 1) * t;
    const float whole = std::floor(f);
    return static_cast<std::uint32_t>(whole) + (f - whole >= 0.5f ? 1 : 0);
}

bool GUISlider::Update(const Vector2& cursor, bool held, bool pressed)
{
    if (!GUIWindow::Update(cursor, held, pressed))
        return false;
    if (!thumb->Update(cursor, held, pressed))
        return false;
    if (state == StateDisabled)
        return false;
    state = hovered ? StateHover : StateNormal;
    if (thumb->tracking)
        SetPosition(PositionAt(cursor));
    return true;
}

bool GUISlider::Render()
{
    if (!GUIWindow::Render())
        return false;
    if (thumb->model != nullptr)
    {
        float t = static_cast<float>(sliderPosition) / static_cast<float>(positionCount - 1);
        if (reversed)
            t = 1.0f - t;
        const Vector2 absolute = GetAbsolutePosition();
        const Vector2 corner(absolute.x + trackStart.x + (trackEnd.x - trackStart.x) * t,
                             absolute.y + trackStart.y + (trackEnd.y - trackStart.y) * t);
        Matrix4 translation;
        Matrix4::Translation(translation, Vector3(corner.x, corner.y, 0.0f));
        const Matrix4 scaling = Matrix4::MakeScaling(Vector3(thumbSize.x, thumbSize.y, 1.0f));
        Model& shown = *thumb->model;
        shown.worldMatrix = translation.Multiply(scaling).Multiply(shown.baseMatrix);
        shown.boundingVolume.SetMatrix(shown.worldMatrix);
    }
    thumb->Render();
    if (ShaderUser* user = GetShaderUser())
        user->animationTime[0] = static_cast<float>(state);
    return true;
}

void GUISlider::SetColor(const Color& color)
{
    GUIWindow::SetColor(color);
    thumb->SetColor(color);
}

void GUISlider::UpdateVisibility()
{
    const bool wasVisible = visible;
    GUIWindow::UpdateVisibility();
    if (visible && !wasVisible && state != StateDisabled)
        state = StateNormal;
}

void GUISlider::SetEnabled(bool enable)
{
    if (IsEnabled() == enable)
        return;
    state = enable ? StateNormal : StateDisabled;
    thumb->SetEnabled(enable);
}

bool GUISlider::IsDragging() const
{
    return thumb->tracking;
}

} // namespace OrvaneEngine
