#pragma once

#include "engine/core/Vector2.h"
#include "game/PieceRules.h"

#include <cstdint>
#include <vector>

namespace OrvaneEngine
{
class Engine;
class GUIManager;
class GUIWindow;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
} // namespace OrvaneEngine

namespace GameFramework
{
class SoundController;
}

namespace Mirabel
{

class GameData;
class GameLogicData;

// One piece of the puzzle: a board place (hidden until filled, normal or
// blocked, with the bonuses' highlights and the flash when it opens) or a
// loose piece with its shadow, which rides the track and is carried.
class PuzzleElement
{
public:
    PuzzleElement(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
                  GameLogicData* levelData, std::uint32_t index, bool loose, OrvaneEngine::GUIWindow* parent);
    virtual ~PuzzleElement();
    PuzzleElement(const PuzzleElement&) = delete;
    PuzzleElement& operator=(const PuzzleElement&) = delete;

    void SetPosition(const OrvaneEngine::Vector2& point);
    void SetScale(float s);
    OrvaneEngine::Vector2 GetSize() const;
    bool IsVisible() const;
    void SetVisible(bool visible);
    bool HitTest(const OrvaneEngine::Vector2& point) const;
    void SetState(std::uint32_t newState);
    void StartTipHighlight();
    void StopTipHighlight();
    void StartMagnetHighlight();
    void StopMagnetHighlight();
    void Update(bool paused, float fade);

    // A board place holds its piece. A highlight or the opening flash shows
    // a place too, but does not fill it.
    bool IsFilled() const { return filled; }

    std::uint32_t GetState() const { return state; }
    std::uint32_t GetIndex() const { return index; }
    bool IsLoose() const { return loose; }
    const std::vector<std::uint32_t>& GetNeighbours() const { return neighbours; }
    float GetScale() const { return scale; }
    const OrvaneEngine::Vector2& GetPosition() const { return position; }
    // The piece's size in the level data, before any scale.
    OrvaneEngine::Vector2 GetBaseSize() const;

    bool IsTaken() const { return taken; }
    void SetTaken(bool value) { taken = value; }
    PuzzleElement* GetMagnetTarget() const { return magnetTarget; }
    void SetMagnetTarget(PuzzleElement* target) { magnetTarget = target; }

    bool IsFlashRunning() const { return flashRunning; }
    bool IsTipHighlightRunning() const { return tip.running; }
    bool IsMagnetHighlightRunning() const { return magnet.running; }
    OrvaneEngine::GUIWindow* GetWindow() const { return window; }
    OrvaneEngine::GUIWindow* GetShadow() const { return shadow; }
    OrvaneEngine::ParticleSystem* GetTipEffect() const { return tipEffect; }

private:
    void Layout();
    void UpdateLoose(float fade);
    void UpdateNormalPlace(bool paused, float fade);
    void PulseHighlight(Highlight& highlight, float step, bool withEffect);
    void StopTipEffect();

    OrvaneEngine::Engine* engine;
    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::ParticleSystemManager* particleSystemManager;
    OrvaneEngine::GUIManager* guiManager;
    GameFramework::SoundController* soundController;
    GameData* gameData;
    GameLogicData* levelData;
    OrvaneEngine::GUIWindow* window = nullptr;
    OrvaneEngine::GUIWindow* shadow = nullptr;
    OrvaneEngine::ParticleSystem* tipEffect = nullptr;
    std::uint32_t state = 0;
    std::uint32_t index;
    bool loose;
    std::vector<std::uint32_t> neighbours;
    float scale = 1.0f;
    OrvaneEngine::Vector2 position{0.0f, 0.0f};
    bool taken = false;
    bool filled = false;
    PuzzleElement* magnetTarget = nullptr;
    bool flashRunning = false;
    float flashTime = 0.0f;
    Highlight tip;
    Highlight magnet;
};

} // namespace Mirabel
