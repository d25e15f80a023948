#include "game/PuzzleElement.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "game/GameData.h"
#include "game/GameLogicData.h"
#include "game/LevelSoundSwitch.h"
#include "game/LevelSounds.h"

#include <algorithm>

namespace Mirabel
{
namespace
{

using OrvaneEngine::Color;
using OrvaneEngine::GUIWindow;
using OrvaneEngine::Vector2;

constexpr std::uint32_t Normal = 0;
constexpr std::uint32_t Blocked = 1;

void Show(GUIWindow* window, bool shown)
{
    if (window == nullptr)
        return;
    if (shown)
        window->SetFlags(GUIWindow::FlagShown);
    else
        window->ClearFlags(GUIWindow::FlagShown);
}

void SetAlpha(GUIWindow* window, float alpha)
{
    Color color = window->GetColor();
    color.a = alpha;
    window->SetColor(color);
}

} // namespace

PuzzleElement::PuzzleElement(OrvaneEngine::Engine* engine_, GameFramework::SoundController* soundController_,
                             GameData* gameData_, GameLogicData* levelData_, std::uint32_t index_, bool loose_,
                             GUIWindow* parent)
    : engine(engine_), timerManager(engine_->timerManager.get()),
      particleSystemManager(engine_->particleSystemManager.get()), guiManager(engine_->guiManager.get()),
      soundController(soundController_), gameData(gameData_), levelData(levelData_), index(index_), loose(loose_)
{
    const Vector2 size = GetBaseSize();
    const Vector2 corner(-size.x / 2.0f, -size.y / 2.0f);
    const std::string& name = levelData->textureNames[index];
    window = levelData->texturePack->GetTexture(name, GUIWindow::FlagColored, corner, size, parent);
    if (loose)
    {
        shadow = levelData->texturePack->GetTexture(name, GUIWindow::FlagColored, corner, size, parent);
        shadow->SetColor(Color(0.0f, 0.0f, 0.0f, 0.3f));
        window->SetLevel(5);
        shadow->SetLevel(4);
    }
    else
    {
        window->SetLevel(static_cast<std::int32_t>(index) + 1);
        state = levelData->initialStates[index];
    }
    neighbours = levelData->neighbourLists[index];
    if (!loose && state == Blocked)
    {
        Show(window, true);
        window->SetColor(Color(0.1f, 0.1f, 0.1f, 0.9f));
    }
}

PuzzleElement::~PuzzleElement()
{
    guiManager->ReleaseWindow(window);
    if (shadow != nullptr)
        guiManager->ReleaseWindow(shadow);
    if (tipEffect != nullptr)
        particleSystemManager->DeleteParticleSystem(tipEffect);
}

Vector2 PuzzleElement::GetBaseSize() const
{
    return levelData->sizes[index];
}

void PuzzleElement::Layout()
{
    const Vector2 base = GetBaseSize();
    const Vector2 size(base.x * scale, base.y * scale);
    window->size = size;
    window->position = Vector2(position.x - size.x / 2.0f, position.y - size.y / 2.0f);
    if (shadow != nullptr)
    {
        const Vector2 offset = ShadowOffset(scale);
        shadow->size = size;
        shadow->position = Vector2(window->position.x + offset.x, window->position.y + offset.y);
    }
}

void PuzzleElement::SetPosition(const Vector2& point)
{
    position = point;
    Layout();
}

void PuzzleElement::SetScale(float s)
{
    scale = s;
    Layout();
}

Vector2 PuzzleElement::GetSize() const
{
    return window->size;
}

bool PuzzleElement::IsVisible() const
{
    return (window->flags & GUIWindow::FlagShown) != 0;
}

void PuzzleElement::SetVisible(bool visible)
{
    Show(window, visible);
    Show(shadow, visible);
    filled = visible;
    if (!visible)
        return;
    window->SetColor(Color(1.0f, 1.0f, 1.0f, 1.0f));
    flashRunning = false;
    tip = Highlight{};
    magnet = Highlight{};
    StopTipEffect();
}

bool PuzzleElement::HitTest(const Vector2& point) const
{
    return IsInsideRect(window->GetAbsolutePosition(), window->size, point);
}

void PuzzleElement::SetState(std::uint32_t newState)
{
    if (state == Blocked && newState == Normal)
    {
        flashRunning = true;
        flashTime = 0.0f;
    }
    state = newState;
}

void PuzzleElement::StartTipHighlight()
{
    if (loose)
        return;
    tip = Highlight{true, false, 0.0f};
    if (state == Normal)
    {
        Show(window, true);
        Color color = levelData->tipColor;
        color.a = 0.0f;
        window->SetColor(color);
    }
    if (tipEffect == nullptr && gameData->tipEffect != nullptr)
    {
        tipEffect = particleSystemManager->CloneParticleSystem(gameData->tipEffect);
        if (OrvaneEngine::Model* model = tipEffect->GetModel())
        {
            model->SetFlags(OrvaneEngine::Model::FlagFixedDepth);
            model->depth = window->depth - 0.001f;
        }
        tipEffect->emitterKind = 2;
        const Vector2 origin = window->GetParentPosition();
        tipEffect->emitterPoints.clear();
        for (const Vector2& p : levelData->samplePoints[index])
            tipEffect->emitterPoints.emplace_back(p.x + origin.x, p.y + origin.y, 0.0f);
    }
    if (tipEffect != nullptr)
    {
        tipEffect->SetVisible(true);
        tipEffect->looping = 1;
        tipEffect->cycleTime = 0.0f;
        tipEffect->emitting = 1;
    }
}

void PuzzleElement::StopTipHighlight()
{
    if (!loose && tip.running)
        tip.ending = true;
}

void PuzzleElement::StartMagnetHighlight()
{
    if (loose || state != Normal)
        return;
    magnet = Highlight{true, false, 0.0f};
    Show(window, true);
    Color color = levelData->tipColor;
    color.a = 0.0f;
    window->SetColor(color);
}

void PuzzleElement::StopMagnetHighlight()
{
    if (!loose && magnet.running)
        magnet.ending = true;
}

void PuzzleElement::StopTipEffect()
{
    if (tipEffect != nullptr)
        tipEffect->emitting = 0;
}

void PuzzleElement::PulseHighlight(Highlight& highlight, float step, bool withEffect)
{
    if (!highlight.running)
        return;
    if (withEffect && highlight.ending)
        StopTipEffect();
    SetAlpha(window, StepHighlight(highlight, window->GetColor().a, step));
}

void PuzzleElement::UpdateLoose(float fade)
{
    window->SetLevel(taken ? 103 : 5);
    shadow->SetLevel(taken ? 102 : 4);
    window->SetColor(Color(1.0f, 1.0f, 1.0f, fade));
    shadow->SetColor(Color(0.0f, 0.0f, 0.0f, 0.3f * fade));
}

void PuzzleElement::UpdateNormalPlace(bool paused, float fade)
{
    const float step = timerManager->frameTime * 1.5f * fade;
    PulseHighlight(tip, step, true);
    if (!tip.running || paused)
        EndSoundLoop(*soundController, LevelSound::BonusTip);
    else
        LoopSoundIfIdle(*soundController, LevelSound::BonusTip);
    PulseHighlight(magnet, step, false);
}

void PuzzleElement::Update(bool paused, float fade)
{
    if (loose)
    {
        UpdateLoose(fade);
        return;
    }
    const float dt = timerManager->frameTime;
    if (state == Normal)
        UpdateNormalPlace(paused, fade);
    else if (tip.running)
    {
        tip.time += dt * fade;
        if (tip.time > 2.5f)
            StopTipEffect();
    }
    if (flashRunning)
    {
        bool done = false;
        const float alpha = StepFlash(flashTime, dt * fade, done);
        if (done)
        {
            flashRunning = false;
            Show(window, false);
        }
        SetAlpha(window, alpha);
    }
}

} // namespace Mirabel
