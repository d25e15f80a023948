#include "game/menus/GUIGameCompleteEffect.h"

#include "engine/core/Engine.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "game/GameData.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIUnicorn.h"

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

AnimationControl* Animation(const GUIWindow* window)
{
    return window->model != nullptr ? window->model->GetAnimationControl() : nullptr;
}

} // namespace

GUIGameCompleteEffect::GUIGameCompleteEffect(Engine* engine, GameData* gameData, GUIBackgroundWindow* background,
                                             GUIUnicorn* unicorn)
    : engine(engine), guiManager(engine->guiManager.get()), gameData(gameData), background(background), unicorn(unicorn)
{
    container = guiManager->CreateWindow(0, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr,
                                         background->GetTopWindow());
    container->SetLevel(ContainerLevel);
    std::int32_t level = 1;
    for (const Model* model : gameData->gameCompleteEffectModels)
    {
        GUIWindow* window = guiManager->CreateWindow(GUIWindow::FlagShown | GUIWindow::FlagColored, Vector2(0.0f, 0.0f),
                                                     Vector2(1.0f, 1.0f), model, container);
        window->SetLevel(level++);
        effectWindows.push_back(window);
    }
}

GUIGameCompleteEffect::~GUIGameCompleteEffect()
{
    for (GUIWindow* window : effectWindows)
        guiManager->ReleaseWindow(window);
    guiManager->ReleaseWindow(container);
}

void GUIGameCompleteEffect::Show()
{
    if ((container->flags & GUIWindow::FlagShown) != 0)
        return;
    container->SetFlags(GUIWindow::FlagShown);
    for (GUIWindow* window : effectWindows)
    {
        window->SetColor(Color(1.0f, 1.0f, 1.0f, 0.0f));
        if (AnimationControl* animation = Animation(window))
        {
            animation->repeat = false;
            animation->speed = AnimationSpeed;
            animation->time = 0.0f;
            animation->Play();
        }
    }
}

void GUIGameCompleteEffect::Hide() { container->ClearFlags(GUIWindow::FlagShown); }

void GUIGameCompleteEffect::Update()
{
    result = 0;
    if (!container->visible)
        return;
    bool allStopped = true;
    for (GUIWindow* window : effectWindows)
    {
        const AnimationControl* animation = Animation(window);
        const float position = animation != nullptr ? animation->time : 0.0f;
        const float frames = animation != nullptr ? static_cast<float>(animation->GetFrameCount()) : 1.0f;
        const bool stopped = animation == nullptr || !animation->IsPlaying();
        allStopped = allStopped && stopped;
        float alpha = 1.0f;
        if (position < FadeFrames)
            alpha = position / FadeFrames;
        else if (position >= frames - FadeFrames)
            alpha = (frames - position) / FadeFrames;
        // A short effect has no middle, so its end starts the unicorn too.
        if ((position >= FadeFrames && position < frames - FadeFrames) || stopped)
            unicorn->Show();
        window->SetColor(Color(1.0f, 1.0f, 1.0f, alpha));
    }
    const bool noUnicorn = unicorn->GetWindow() == nullptr;
    if (unicorn->finished != 0 || (noUnicorn && allStopped))
        result = ResultFinished;
}

} // namespace Mirabel
