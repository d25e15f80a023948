#pragma once

#include "engine/core/Ray.h"
#include "engine/core/Vector2.h"
#include "game/TrackGeometry.h"
#include "game/TrainRules.h"

#include <cstdint>
#include <vector>

namespace OrvaneEngine
{
class CameraManager;
class Controls;
class Engine;
class GUIManager;
class GUIWindow;
class MessageManager;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
class Window;
} // namespace OrvaneEngine

namespace GameFramework
{
class ScoreKeeper;
class SoundController;
} // namespace GameFramework

namespace Mirabel
{

class Carriage;
class GameData;
class GUIGameLogicTextManager;
class PuzzleElement;
class PuzzleElementManager;

// The track of a level: the train of loose pieces rolling along the path
// under the speed law, fed from the supply and pushed by the carriage; the
// arcade introduction, the end zone with its hole, the final charge, and the
// player's taking and returning of pieces on the track side.
class PuzzleDepository
{
public:
    PuzzleDepository(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                     GameData* gameData, GUIGameLogicTextManager* textManager, PuzzleElementManager* loosePieces,
                     GameFramework::ScoreKeeper* scoreKeeper, bool relax);
    virtual ~PuzzleDepository();
    PuzzleDepository(const PuzzleDepository&) = delete;
    PuzzleDepository& operator=(const PuzzleDepository&) = delete;

    void Update(bool paused, float fade);

    bool IsCharging() const { return charging; }
    bool IsChargeFinished() const { return chargeFinished; }
    void StartCharge();
    void AddRollBackTime();
    void AddPauseTime();
    void AddComboBrakeTime(std::uint32_t n);
    // The carried piece goes back to the track in the next update.
    void ReturnHeldPiece();
    float FindNearestPathPoint(const OrvaneEngine::Vector2& point, bool& side) const;
    OrvaneEngine::Vector2 PointAtDistance(float s) const;

    bool IsIntroductionDone() const { return introductionDone; }
    bool IsFailed() const { return failure; }
    bool IsCarriageSunk() const { return carriageSunk; }
    const std::vector<PuzzleElement*>& GetTrainPieces() const { return trainPieces; }
    const std::vector<float>& GetTrainDistances() const { return trainDistances; }
    float GetFreeLength() const { return freeLength; }
    float GetPathLength() const { return path.length; }
    float GetFreeRatio() const { return freeLength / path.length; }
    float GetCarriedDistance() const { return carriedDistance; }
    const OrvaneEngine::Vector2& GetTrackBox() const { return trackBox; }
    const OrvaneEngine::Vector2& GetGrabOffset() const { return grabOffset; }
    float GetCarriageDistance() const { return carriageDistance; }
    float GetChargeStart() const { return chargeStart; }
    Carriage* GetCarriage() const { return carriage; }
    float GetRushSpeed() const { return rushSpeed; }
    float GetFastForwardSpeed() const { return fastForwardSpeed; }
    float GetRollBackSpeed() const { return rollBackSpeed; }
    float GetBrakeSpeed() const { return brakeSpeed; }
    float GetRollBackTime() const { return rollBackTime; }
    float GetBrakeTime() const { return brakeTime; }
    const TrackPath& GetPath() const { return path; }
    OrvaneEngine::ParticleSystem* GetStartEffect() const { return startEffect; }
    OrvaneEngine::ParticleSystem* GetFinishEffect() const { return finishEffect; }
    OrvaneEngine::GUIWindow* GetHoleBottom() const { return holeBottom; }
    OrvaneEngine::GUIWindow* GetHoleTop() const { return holeTop; }

private:
    void BuildPath();
    OrvaneEngine::ParticleSystem* CloneEffect(const OrvaneEngine::ParticleSystem* source, bool shown);
    void UpdateIntroduction(bool paused, float dt);
    void UpdateCharge(bool paused, float dt);
    void UpdatePlay(bool paused, float fade, float dt);
    void AimCursor(bool paused);
    void MoveTrain(bool paused, float move, float dt);
    void SinkIntoHole();
    void SoundStart(bool paused, float frontBefore, float dt);
    void UpdateFreeLength(float dt);
    void Feed();
    void PlaceTrain();
    void HandleCarriedPiece(bool paused, float dt);
    bool TakePiece();
    bool DropPiece(PuzzleElement& piece, float s);
    void ReturnPiece(PuzzleElement& piece);
    void PutOnTrack(PuzzleElement& piece, const TrainSlot& slot);
    void MarkFailure();
    float TrackScale(const PuzzleElement& piece) const;
    bool AnyPieceUnplaced() const;
    CarriagePlace CarriageState() const;
    void SetCarriageState(const CarriagePlace& place);

    OrvaneEngine::Engine* engine;
    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::Window* window;
    OrvaneEngine::CameraManager* cameraManager;
    OrvaneEngine::ParticleSystemManager* particleSystemManager;
    OrvaneEngine::Controls* controls;
    OrvaneEngine::GUIManager* guiManager;
    OrvaneEngine::MessageManager* messageManager;
    GameFramework::SoundController* soundController;
    GameData* gameData;
    GUIGameLogicTextManager* textManager;
    PuzzleElementManager* loosePieces;
    GameFramework::ScoreKeeper* scoreKeeper;
    OrvaneEngine::GUIWindow* holeBottom = nullptr;
    OrvaneEngine::GUIWindow* holeTop = nullptr;
    OrvaneEngine::ParticleSystem* startEffect = nullptr;
    OrvaneEngine::ParticleSystem* finishEffect = nullptr;
    Carriage* carriage = nullptr;
    float carriageDistance = 0.0f;
    TrackPath path;
    float freeLength = 0.0f;
    std::vector<PuzzleElement*> trainPieces;
    std::vector<float> trainDistances;
    float rollBackSpeed = 0.0f;
    float rollBackTime = 0.0f;
    float brakeSpeed = 0.0f;
    float brakeTime = 0.0f;
    bool introductionDone;
    float introductionTime = 0.0f;
    bool failure = false;
    bool charging = false;
    bool chargeFinished = false;
    float chargeTime = 0.0f;
    float chargeStart = 0.0f;
    // The first checkpoint the final charge has not paid yet.
    std::uint32_t nextCheckpoint = 0;
    float rushSpeed;
    float carriedDistance = 0.0f;
    OrvaneEngine::Vector2 trackBox{40.0f, 40.0f};
    OrvaneEngine::Vector2 grabOffset{0.0f, 0.0f};
    bool relax;
    float warningTime = 0.0f;
    bool carriageSunk = false;
    bool failureSounded = false;
    bool fastForwardHeld = false;
    float fastForwardHoldTime = 0.0f;
    float fastForwardSpeed = 0.0f;
    bool returnRequested = false;
    bool startSoundAllowed = true;
    // This frame's cursor: its point in the plane of the pieces, and whether
    // a press of it hit the obstacle.
    OrvaneEngine::Vector2 cursorPoint{0.0f, 0.0f};
    bool pressed = false;
    bool obstacleHit = false;
};

} // namespace Mirabel
