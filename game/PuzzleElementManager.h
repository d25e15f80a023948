#pragma once

#include <cstdint>
#include <vector>

namespace OrvaneEngine
{
class Engine;
class GUIManager;
class GUIWindow;
} // namespace OrvaneEngine

namespace GameFramework
{
class SoundController;
}

namespace Mirabel
{

class GameData;
class GameLogicData;
class PuzzleElement;

// The loose pieces of a level, one per piece, in the shuffled order in which
// the track is supplied.
class PuzzleElementManager
{
public:
    PuzzleElementManager(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                         GameData* gameData, GameLogicData* levelData, OrvaneEngine::GUIWindow* parent);
    virtual ~PuzzleElementManager();
    PuzzleElementManager(const PuzzleElementManager&) = delete;
    PuzzleElementManager& operator=(const PuzzleElementManager&) = delete;

    void Update(bool paused, float fade);

    const std::vector<PuzzleElement*>& GetPieces() const { return pieces; }
    // Parent of every loose piece and of the track's windows.
    OrvaneEngine::GUIWindow* GetWindow() const { return window; }
    // The first shown piece with its taken flag set, or null.
    PuzzleElement* GetCarriedPiece() const;

private:
    OrvaneEngine::Engine* engine;
    OrvaneEngine::GUIManager* guiManager;
    GameFramework::SoundController* soundController;
    GameData* gameData;
    GameLogicData* levelData;
    OrvaneEngine::GUIWindow* window;
    std::vector<PuzzleElement*> pieces;
};

} // namespace Mirabel
