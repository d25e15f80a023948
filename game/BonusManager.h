#pragma once

#include "engine/core/Vector2.h"

#include <cstdint>
#include <vector>

namespace OrvaneEngine
{
class Engine;
class GUIManager;
class GUIWindow;
} // namespace OrvaneEngine

namespace Mirabel
{

class Bonus;
class GameData;
class PuzzleDepository;

// The live bonuses of a level and the choice of a new one's type.
class BonusManager
{
public:
    BonusManager(OrvaneEngine::Engine* engine, GameData* gameData, PuzzleDepository* track, bool relax,
                 OrvaneEngine::GUIWindow* container);
    virtual ~BonusManager();
    BonusManager(const BonusManager&) = delete;
    BonusManager& operator=(const BonusManager&) = delete;

    // The first bonus on that piece, vanishing ones included, or null.
    Bonus* FindBonus(std::uint32_t pieceIndex) const;
    void CreateBonus(std::uint32_t pieceIndex, const OrvaneEngine::Vector2& position);
    void Update(bool paused, float fade);

    const std::vector<Bonus*>& GetBonuses() const { return bonuses; }
    OrvaneEngine::GUIWindow* GetWindow() const { return window; }

private:
    std::uint32_t ChooseType() const;

    OrvaneEngine::Engine* engine;
    OrvaneEngine::GUIManager* guiManager;
    GameData* gameData;
    PuzzleDepository* track;
    OrvaneEngine::GUIWindow* window;
    std::vector<Bonus*> bonuses;
    bool relax;
};

} // namespace Mirabel
