#pragma once

#include "framework/GUIGameCursorBase.h"

#include <cstdint>

namespace OrvaneEngine
{
class Engine;
class ParticleSystem;
class ParticleSystemManager;
} // namespace OrvaneEngine

namespace Mirabel
{

class GameData;

// The game's pointer: three kinds with one picture each and their own system
// cursor, a particle trail that follows the pointer and a burst at every
// press of the left button. The effects exist once the game data has loaded.
class GUIGameCursor : public GameFramework::GUIGameCursorBase
{
public:
    static constexpr std::uint32_t KindNormal = 0;
    static constexpr std::uint32_t KindTip = 1;
    static constexpr std::uint32_t KindMagnet = 2;
    static constexpr float CustomCursorSize = 40.0f;
    // The trail hangs off the pointer's tip, behind and below it.
    static constexpr float TrailOffsetX = 12.0f;
    static constexpr float TrailOffsetY = -18.0f;
    // The effects keep a fixed depth: in front of the middle GUI layer (-20),
    // behind the front layer and the pointer itself.
    static constexpr std::uint32_t EffectModelFlags = 2048;
    static constexpr float EffectDepth = -21.0f;

    // Files the three kinds and selects the normal one; no effects yet.
    explicit GUIGameCursor(OrvaneEngine::Engine* engine);
    ~GUIGameCursor() override;

    // Moves the trail, fires a burst on a press, then follows "ui_custom_cursor".
    bool Update() override;
    void SetVisible(bool visible) override;

    // Clones the trail and click effects of the game data and shows them.
    void CreateEffects(const GameData& gameData);
    void SetEffectsEnabled(bool on);
    // Hiding stops the trail; showing restarts it while effects are enabled.
    void Show(bool visible);

    bool AreEffectsEnabled() const { return effectsEnabled; }
    OrvaneEngine::ParticleSystem* GetTrail() const { return trail; }
    OrvaneEngine::ParticleSystem* GetClick() const { return click; }

private:
    OrvaneEngine::ParticleSystemManager* particleSystemManager;
    OrvaneEngine::ParticleSystem* trail = nullptr;
    OrvaneEngine::ParticleSystem* click = nullptr;
    bool effectsEnabled = true;
};

} // namespace Mirabel
