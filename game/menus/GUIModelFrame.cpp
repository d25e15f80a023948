#include "game/menus/GUIModelFrame.h"

#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"

#include <algorithm>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

AnimationControl* Animation(const GUIWindow* window)
{
    if (window == nullptr || window->model == nullptr)
        return nullptr;
    AnimationControl* animation = window->model->GetAnimationControl();
    return animation != nullptr && animation->GetFrameCount() >= 2 ? animation : nullptr;
}

ShaderUser* TextureFrames(const GUIWindow* window)
{
    if (window == nullptr || window->model == nullptr)
        return nullptr;
    ShaderUser* user = window->model->GetShaderUser();
    return user != nullptr && user->stages[0].frameCount >= 2 ? user : nullptr;
}

} // namespace

std::uint32_t GUIModelFrame::Count(const GUIWindow* window)
{
    if (const AnimationControl* animation = Animation(window))
        return animation->GetFrameCount();
    if (const ShaderUser* user = TextureFrames(window))
        return user->stages[0].frameCount;
    return 1;
}

void GUIModelFrame::Set(GUIWindow* window, std::uint32_t frame)
{
    if (AnimationControl* animation = Animation(window))
        animation->time = static_cast<float>(frame);
    else if (ShaderUser* user = TextureFrames(window))
        user->animationTime[0] = static_cast<float>(frame);
}

void GUIModelFrame::SetClamped(GUIWindow* window, std::uint32_t frame)
{
    Set(window, std::min(frame, Count(window) - 1));
}

} // namespace Mirabel
