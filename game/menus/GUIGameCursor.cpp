#include "game/menus/GUIGameCursor.h"

#include "engine/core/Controls.h"
#include "engine/core/Engine.h"
#include "engine/core/Vector2.h"
#include "engine/core/Vector3.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "game/GameData.h"

namespace Mirabel
{

namespace
{

// The system cursor resource of each kind, in kind order.
constexpr std::uint16_t systemCursors[] = {1000, 107, 106};

OrvaneEngine::ParticleSystem* CloneEffect(OrvaneEngine::ParticleSystemManager& manager,
                                          const OrvaneEngine::ParticleSystem* source, bool looping)
{
    OrvaneEngine::ParticleSystem* effect = manager.CloneParticleSystem(source);
    OrvaneEngine::Model* model = effect->GetModel();
    model->SetFlags(GUIGameCursor::EffectModelFlags);
    model->depth = GUIGameCursor::EffectDepth;
    effect->looping = looping ? 1 : 0;
    effect->SetVisible(true);
    return effect;
}

} // namespace

GUIGameCursor::GUIGameCursor(OrvaneEngine::Engine* engine)
    : GUIGameCursorBase(engine), particleSystemManager(engine->particleSystemManager.get())
{
    const OrvaneEngine::ShaderDescriptor picture =
        OrvaneEngine::MakeShaderDescriptor("ui\\cursors\\cursor.jpg", "ui\\cursors\\cursor_alpha.jpg", true);
    for (std::uint32_t kind = KindNormal; kind <= KindMagnet; ++kind)
        AddCursor(kind, systemCursors[kind], guiManager->CreateCursor(&picture, CustomCursorSize));
    SetCursorKind(KindNormal);
}

GUIGameCursor::~GUIGameCursor()
{
    particleSystemManager->DeleteParticleSystem(trail);
    particleSystemManager->DeleteParticleSystem(click);
}

bool GUIGameCursor::Update()
{
    if (effectsEnabled)
    {
        const OrvaneEngine::Vector2 cursor = guiManager->GetCursorPosition();
        if (trail)
            trail->emitterPosition = OrvaneEngine::Vector3(cursor.x + TrailOffsetX, cursor.y + TrailOffsetY, 0.0f);
        if (click && controls->IsKeyPressed("MOUSE1"))
        {
            click->emitterPosition = OrvaneEngine::Vector3(cursor.x, cursor.y, 0.0f);
            click->cycleTime = 0.0f;
            click->emitting = 1;
        }
    }
    return GUIGameCursorBase::Update();
}

void GUIGameCursor::SetVisible(bool visible)
{
    Show(visible);
}

void GUIGameCursor::CreateEffects(const GameData& gameData)
{
    trail = CloneEffect(*particleSystemManager, gameData.cursorTrain, true);
    click = CloneEffect(*particleSystemManager, gameData.cursorClick, false);
    SetEffectsEnabled(effectsEnabled);
}

void GUIGameCursor::SetEffectsEnabled(bool on)
{
    effectsEnabled = on;
    if (trail)
        trail->emitting = on ? 1 : 0;
}

void GUIGameCursor::Show(bool visible)
{
    GUIGameCursorBase::SetVisible(visible);
    if (trail && (!visible || effectsEnabled))
        trail->emitting = visible ? 1 : 0;
}

} // namespace Mirabel
