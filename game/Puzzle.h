#pragma once

#include "engine/core/BoundingVolume.h"
#include "engine/core/Vector2.h"

#include <cstdint>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class AnimationControl;
class Controls;
class Engine;
class GUIManager;
class GUITextManager;
class GUIWindow;
class Model;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
} // namespace OrvaneEngine

namespace GameFramework
{
class ScoreKeeper;
class SoundController;
} // namespace GameFramework

namespace Mirabel
{

class Bonus;
class BonusManager;
class GameData;
class GameLogicData;
class GUIGameCursor;
class GUIGameLogicTextManager;
class PuzzleDepository;
class PuzzleElement;
class PuzzleElementManager;

// The board: the faded picture with one place per piece, the outlines, the
// pause cover and the completion animation. It places the carried piece,
// keeps the combo, pays points, applies bonuses, opens blocked places and
// spawns new bonuses.
class Puzzle
{
public:
    Puzzle(OrvaneEngine::Engine* engine, GUIGameCursor* gameCursor, GameFramework::SoundController* soundController,
           GameData* gameData, GameLogicData* levelData, GUIGameLogicTextManager* floatingTexts,
           PuzzleElementManager* loosePieces, PuzzleDepository* track, BonusManager* bonuses,
           GameFramework::ScoreKeeper* scoreKeeper, bool relax, OrvaneEngine::GUIWindow* container);
    virtual ~Puzzle();
    Puzzle(const Puzzle&) = delete;
    Puzzle& operator=(const Puzzle&) = delete;

    void Update(bool paused, float fade);
    bool AreAllPlaced() const;
    bool IsComplete() const;

    const OrvaneEngine::BoundingVolume& GetBoardBox() const { return boardBox; }
    const std::vector<PuzzleElement*>& GetPlaces() const { return places; }
    OrvaneEngine::GUIWindow* GetBoardWindow() const { return boardWindow; }
    OrvaneEngine::GUIWindow* GetPlacesWindow() const { return placesWindow; }
    OrvaneEngine::GUIWindow* GetOutlineWindow() const { return outlineWindow; }
    OrvaneEngine::GUIWindow* GetCoverWindow() const { return coverWindow; }
    OrvaneEngine::GUIWindow* GetCompletionWindow() const { return completionWindow; }
    // The point of a place in the coordinates of the loose pieces.
    OrvaneEngine::Vector2 PlacePoint(std::uint32_t index) const;
    std::uint32_t GetPlacedCount() const { return placedCount; }
    std::uint32_t GetCombo() const { return combo; }
    float GetBonusTime() const { return bonusTime; }
    bool IsMagnetPending() const { return magnetFlag; }
    bool IsMagnetActive() const { return magnetActive; }
    bool IsTipPending() const { return tipFlag; }

private:
    std::uint32_t PieceCount() const;
    void HandleRequest();
    void Place(PuzzleElement& held, PuzzleElement& place);
    void ApplyBonus(const Bonus& bonus);
    void OpenBlockedPlaces();
    void UpdateCursor(bool paused, float fade);
    void UpdateCompletion(float dt);
    void SpawnBonus(float dt);
    bool HasRunnableCompletion() const;
    OrvaneEngine::Vector2 TextPoint(const PuzzleElement& place) const;

    OrvaneEngine::Engine* engine;
    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::GUIManager* guiManager;
    OrvaneEngine::GUITextManager* textManager;
    OrvaneEngine::ParticleSystemManager* particleSystemManager;
    OrvaneEngine::Controls* controls;
    GUIGameCursor* gameCursor;
    GameFramework::SoundController* soundController;
    GameData* gameData;
    GameLogicData* levelData;
    GUIGameLogicTextManager* floatingTexts;
    PuzzleElementManager* loosePieces;
    PuzzleDepository* track;
    BonusManager* bonuses;
    GameFramework::ScoreKeeper* scoreKeeper;
    bool relax;
    OrvaneEngine::GUIWindow* boardWindow = nullptr;
    OrvaneEngine::GUIWindow* placesWindow = nullptr;
    OrvaneEngine::GUIWindow* outlineWindow = nullptr;
    OrvaneEngine::GUIWindow* coverWindow = nullptr;
    OrvaneEngine::GUIWindow* completionWindow = nullptr;
    OrvaneEngine::Model* completionModel = nullptr;
    OrvaneEngine::AnimationControl* completionAnimation = nullptr;
    OrvaneEngine::ParticleSystem* completionEffect = nullptr;
    std::vector<PuzzleElement*> places;
    PuzzleElement* rememberedCarried = nullptr;
    std::uint32_t placedCount = 0;
    OrvaneEngine::BoundingVolume boardBox;
    float bonusTime = 0.0f;
    bool magnetFlag = false;
    bool magnetActive = false;
    bool tipFlag = false;
    std::uint32_t combo = 1;
    float timeSinceLastPlacement = 100000.0f;
    // Reused by the opening pass, which runs after every placement.
    std::vector<std::uint32_t> candidates;
};

} // namespace Mirabel
