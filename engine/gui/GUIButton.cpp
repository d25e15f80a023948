#include "engine/gui/GUIButton.h"

#include "engine/gui/GUISoundManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"

namespace OrvaneEngine
{

GUIButton::GUIButton(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                     GUIFontManager* fontManager_, GUITextManager* textManager_, GUISoundManager* soundManager_,
                     Camera* guiCamera, std::uint32_t flags_, const Vector2& position_, const Vector2& size_,
                     const ShaderDescriptor* descriptor, GUIWindow* parent_, const Vector2& textureExtent)
    : GUIWindow(log_, shaderManager_, modelManager_, fontManager_, textManager_, guiCamera, flags_, position_, size_,
                descriptor, parent_, textureExtent),
      soundManager(soundManager_)
{
}

GUIButton::GUIButton(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                     GUIFontManager* fontManager_, GUITextManager* textManager_, GUISoundManager* soundManager_,
                     Camera* guiCamera, std::uint32_t flags_, const Vector2& position_, const Vector2& size_,
                     const std::string& modelFileName, GUIWindow* parent_)
    : GUIWindow(log_, shaderManager_, modelManager_, fontManager_, textManager_, guiCamera, flags_, position_, size_,
                modelFileName, parent_),
      soundManager(soundManager_)
{
}

GUIButton::GUIButton(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                     GUIFontManager* fontManager_, GUITextManager* textManager_, GUISoundManager* soundManager_,
                     Camera* guiCamera, std::uint32_t flags_, const Vector2& position_, const Vector2& size_,
                     const Model* source, GUIWindow* parent_)
    : GUIWindow(log_, shaderManager_, modelManager_, fontManager_, textManager_, guiCamera, flags_, position_, size_,
                source, parent_),
      soundManager(soundManager_)
{
}

GUIButton::~GUIButton() = default;

bool GUIButton::Update(const Vector2& cursor, bool held, bool pressed)
{
    clicked = false;
    if (!GUIWindow::Update(cursor, held, pressed))
        return false;
    if (state == StateDisabled)
        return false;
    if (hovered && pressed && !tracking)
    {
        tracking = true;
        PlayEvent(pressEvent);
    }
    if (tracking)
    {
        if (!held)
        {
            clicked = hovered;
            tracking = false;
        }
        else
        {
            state = hovered ? StatePressed : StateNormal;
        }
    }
    if (!tracking)
    {
        state = hovered ? StateHover : StateNormal;
        if (hovered && !previousHover)
            PlayEvent(hoverEvent);
    }
    previousHover = hovered;
    return true;
}

bool GUIButton::Render()
{
    if (!GUIWindow::Render())
        return false;
    const std::uint32_t frame = GetFrame();
    ShaderUser* user = GetShaderUser();
    AnimationControl* animation = model != nullptr ? model->GetAnimationControl() : nullptr;
    if (user != nullptr && user->stages[0].frameCount >= 2)
        user->animationTime[0] = static_cast<float>(frame);
    else if (animation != nullptr && animation->GetFrameCount() > 1)
        animation->time = static_cast<float>(frame);
    return true;
}

void GUIButton::UpdateVisibility()
{
    const bool wasVisible = visible;
    GUIWindow::UpdateVisibility();
    // A press that was going on when the button went away is forgotten.
    if (visible && !wasVisible && state != StateDisabled)
        state = StateNormal;
}

void GUIButton::SetEnabled(bool enable)
{
    if (IsEnabled() == enable)
        return;
    state = enable ? StateNormal : StateDisabled;
}

std::uint32_t GUIButton::GetFrame() const
{
    return state;
}

void GUIButton::PlayEvent(std::uint32_t event) const
{
    if (soundManager != nullptr)
        soundManager->Play(event);
}

} // namespace OrvaneEngine
