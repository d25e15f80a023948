#include "game/menus/GUIUnicorn.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/ShaderUser.h"
#include "framework/SoundController.h"
#include "game/menus/GUIBackgroundWindow.h"

#include <algorithm>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr float Epsilon = 0.0001f;
constexpr float AnimationSpeed = 15.0f;
constexpr float FadeInDelay = 0.5f;
constexpr float FadeInRate = 0.45f;
constexpr float FadeOutRate = 2.0f;

} // namespace

GUIUnicorn::GUIUnicorn(Engine* engine, GameFramework::SoundController* soundController, GUIBackgroundWindow* background)
    : log(engine->messageManager.get()),
      timerManager(engine->timerManager.get()),
      guiManager(engine->guiManager.get()),
      soundController(soundController),
      background(background)
{
}

GUIUnicorn::~GUIUnicorn() { guiManager->ReleaseWindow(window); }

void GUIUnicorn::LoadModel()
{
    if (window != nullptr)
        return;
    window = guiManager->CreateWindowFromFile(GUIWindow::FlagColored, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f),
                                              ModelFile, nullptr);
    if (const GUIWindow* layer = background->GetUnicornLayerWindow())
    {
        window->SetParent(layer->parent);
        window->SetLevel(layer->level);
    }
    else
    {
        log->Warning("The background has no unicorn layer; the unicorn stands in front of its layers");
        window->SetParent(background->GetLayerContainer());
        const GUIWindow* front = background->GetFrontLayerWindow();
        window->SetLevel(front != nullptr ? front->level : 1);
    }

    std::uint32_t frames = 0;
    if (ShaderUser* shader = window->GetShaderUser())
    {
        shader->stages[0].speed = 0.0f;
        frames = shader->stages[0].frameCount;
    }
    animation = std::make_unique<AnimationControl>(log, timerManager, frames);
    animation->repeat = false;
    animation->speed = AnimationSpeed;
    animation->time = 0.0f;
}

void GUIUnicorn::Show()
{
    if (window == nullptr || (window->flags & GUIWindow::FlagShown) != 0)
        return;
    window->SetFlags(GUIWindow::FlagShown);
    window->SetColor(Color(1.0f, 1.0f, 1.0f, 0.0f));
    appearing = 1;
    disappearing = 0;
    timer = 0.0f;
    finished = 0;
    soundController->PlaySound(SoundUpgrade);
}

void GUIUnicorn::Hide()
{
    if (window == nullptr)
        return;
    appearing = 0;
    disappearing = 1;
    timer = 0.0f;
    finished = 0;
}

void GUIUnicorn::Update()
{
    if (window == nullptr)
        return;
    timer += timerManager->frameTime;
    float alpha = 1.0f;
    if (appearing != 0)
    {
        alpha = std::min(std::max(timer - FadeInDelay, 0.0f) * FadeInRate, 1.0f);
        if (timer >= AnimationStart)
        {
            if (animation->time < Epsilon && !animation->IsPlaying())
                animation->Play();
            // A single picture never moves past its first frame: it has
            // played as soon as it would have started.
            if (animation->GetFrameCount() <= 1 || (!animation->IsPlaying() && animation->time > Epsilon))
                finished = 1;
        }
    }
    if (disappearing != 0)
        alpha = std::max(1.0f - FadeOutRate * timer, 0.0f);

    window->SetColor(Color(1.0f, 1.0f, 1.0f, alpha));
    animation->Update();
    if (ShaderUser* shader = window->GetShaderUser())
    {
        shader->animationTime[0] = static_cast<float>(animation->GetFirstFrame());
        shader->stages[0].currentFrame = animation->GetFirstFrame();
    }

    if (disappearing != 0 && alpha < Epsilon)
        Release();
}

void GUIUnicorn::Release()
{
    guiManager->ReleaseWindow(window);
    window = nullptr;
    animation.reset();
    disappearing = 0;
}

} // namespace Mirabel
