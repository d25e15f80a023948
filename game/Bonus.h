#pragma once

#include "engine/core/Matrix4.h"
#include "engine/core/Vector2.h"

#include <cstdint>

namespace OrvaneEngine
{
class Engine;
class GUIManager;
class GUIWindow;
class Model;
class TimerManager;
} // namespace OrvaneEngine

namespace Mirabel
{

class GameData;

// One bonus: its symbol over its piece's board place, which fades in, lives
// 24 s and fades out, or vanishes growing once the piece is placed.
class Bonus
{
public:
    Bonus(OrvaneEngine::Engine* engine, GameData* gameData, std::uint32_t type, std::uint32_t pieceIndex,
          const OrvaneEngine::Vector2& position, OrvaneEngine::GUIWindow* parent);
    virtual ~Bonus();
    Bonus(const Bonus&) = delete;
    Bonus& operator=(const Bonus&) = delete;

    void Update(float fade);
    void StartVanish();

    std::uint32_t GetType() const { return type; }
    std::uint32_t GetPieceIndex() const { return pieceIndex; }
    bool IsAlive() const { return alive; }
    bool IsVanishing() const { return vanishing; }
    float GetPhaseTime() const { return phaseTime; }
    OrvaneEngine::GUIWindow* GetWindow() const { return window; }

    // The symbol model of a bonus type.
    static OrvaneEngine::Model* SymbolModel(const GameData& gameData, std::uint32_t type);

private:
    OrvaneEngine::Engine* engine;
    OrvaneEngine::GUIManager* guiManager;
    OrvaneEngine::TimerManager* timerManager;
    GameData* gameData;
    OrvaneEngine::GUIWindow* window;
    OrvaneEngine::Model* model;
    std::uint32_t type;
    std::uint32_t pieceIndex;
    OrvaneEngine::Vector2 position;
    float phaseTime = 0.0f;
    bool alive = true;
    bool vanishing = false;
    OrvaneEngine::Matrix4 base;
};

} // namespace Mirabel
