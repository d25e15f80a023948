#pragma once

#include "framework/GameLogicBase.h"

#include <cstdint>
#include <memory>

namespace OrvaneEngine
{
class GUIManager;
class GUIWindow;
class TimerManager;
} // namespace OrvaneEngine

namespace GameFramework
{
class ProfileManagerBase;
}

namespace Mirabel
{

class BonusManager;
class GameData;
class GameLogicData;
class GUIGameCursor;
class GUIGameLogicTextManager;
class Puzzle;
class PuzzleDepository;
class PuzzleElement;
class PuzzleElementManager;

// The level being played: it builds the track, the loose pieces, the board,
// the bonuses and the floating texts, drives them once per frame under the
// pause fade, runs the level timer and decides when the level is won or lost.
class GameLogic : public GameFramework::GameLogicBase
{
public:
    GameLogic(OrvaneEngine::Engine* engine, GUIGameCursor* gameCursor,
              GameFramework::ProfileManagerBase* profileManager, GameFramework::SoundController* soundController,
              GameData* gameData, GameLogicData* levelData, GameFramework::StageRecord* stageRecord,
              GameFramework::LevelRecord* levelRecord, std::uint32_t gameCounter);
    ~GameLogic() override;

    void Update() override;

    bool IsRelax() const { return relax; }
    float GetPauseFade() const { return pauseFade; }
    PuzzleDepository* GetTrack() const { return track.get(); }
    PuzzleElementManager* GetLoosePieces() const { return loosePieces.get(); }
    Puzzle* GetBoard() const { return board.get(); }
    BonusManager* GetBonuses() const { return bonuses.get(); }
    GUIGameLogicTextManager* GetTextManager() const { return textManager.get(); }
    OrvaneEngine::GUIWindow* GetContainer() const { return container; }

private:
    // Follows the cursor, grows over the board and obeys the magnet; true
    // while the magnet glides the piece into its place.
    bool MoveCarriedPiece(PuzzleElement& piece);

    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::GUIManager* guiManager;
    GUIGameCursor* gameCursor;
    GameFramework::ProfileManagerBase* profileManager;
    GameData* gameData;
    GameLogicData* levelData;
    OrvaneEngine::GUIWindow* container = nullptr;
    // Owned. Declared so that a part that fails to build takes the ones made
    // before it with it, in the order the destructor deletes them.
    std::unique_ptr<GUIGameLogicTextManager> textManager;
    std::unique_ptr<PuzzleElementManager> loosePieces;
    std::unique_ptr<PuzzleDepository> track;
    std::unique_ptr<BonusManager> bonuses;
    std::unique_ptr<Puzzle> board;
    float pauseFade = 1.0f;
    bool relax = false;
    float magnetGlideStep = 0.0f;
};

} // namespace Mirabel
