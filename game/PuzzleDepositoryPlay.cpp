#include "engine/core/Controls.h"
#include "engine/core/Vector3.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "framework/SoundController.h"
#include "game/Carriage.h"
#include "game/CarryRules.h"
#include "game/GameData.h"
#include "game/LevelSoundSwitch.h"
#include "game/LevelSounds.h"
#include "game/PuzzleDepository.h"
#include "game/PuzzleElement.h"
#include "game/PuzzleElementManager.h"
#include "game/SpeedLaw.h"

#include <algorithm>
#include <cmath>

// Normal play: the train's motion, feeding and the end zone, and the player's
// taking and returning of pieces on the track side.
namespace Mirabel
{
using OrvaneEngine::Vector2;

void PuzzleDepository::UpdatePlay(bool paused, float fade, float dt)
{
    AimCursor(paused);
    const float L = path.length;
    const float targetSpeed = TargetSpeed(freeLength / L, relax, rushSpeed, fastForwardSpeed);
    if (failure && !relax)
    {
        rushSpeed = GrowRushAfterFailure(rushSpeed, dt);
        if (!trainPieces.empty())
        {
            soundController->SetSoundTempo(LevelSound::PathEnd, 1.0f + rushSpeed / 1600.0f);
            StartSoundIfIdle(*soundController, LevelSound::PathEnd);
        }
        else
        {
            StopSoundIfPlaying(*soundController, LevelSound::PathEnd);
        }
    }
    else
    {
        rushSpeed = DecayRush(rushSpeed, dt);
    }
    StepTimedSpeed(rollBackSpeed, rollBackTime, dt, kRollBackCap);
    StepTimedSpeed(brakeSpeed, brakeTime, dt, targetSpeed);
    MoveTrain(paused, TrainVelocity(targetSpeed, rollBackSpeed, brakeSpeed) * dt, dt);

    CarriagePlace place = CarriageState();
    SpaceTrain(trainDistances, place);
    SetCarriageState(place);
    for (std::size_t i = 0; i < trainPieces.size();)
    {
        if (trainDistances[i] < 0.0f)
        {
            trainPieces[i]->SetVisible(false);
            trainPieces.erase(trainPieces.begin() + static_cast<std::ptrdiff_t>(i));
            trainDistances.erase(trainDistances.begin() + static_cast<std::ptrdiff_t>(i));
        }
        else
        {
            ++i;
        }
    }
    if (trainDistances.empty() || trainDistances.back() < 0.5f)
    {
        rollBackTime = 0.0f;
        rollBackSpeed = 0.0f;
        brakeTime = 0.0f;
        brakeSpeed = 0.0f;
    }
    UpdateFreeLength(dt);
    if (carriageSunk)
        return;
    Feed();
    PlaceTrain();
    if (failureSounded &&
        soundController->GetMusicState(LevelSound::MusicChannel) != GameFramework::SoundController::Playing)
        soundController->PlayMusic(LevelSound::MusicChannel, LevelSound::LevelMusicTrack, true,
                                   LevelSound::MusicFadeInRate);
    if (failure)
        return;
    HandleCarriedPiece(paused, dt);
    fastForwardSpeed = StepFastForward(fastForwardSpeed, fastForwardHeld, fastForwardHoldTime, rushSpeed, dt);
    carriage->SetAlpha(fade);
}

void PuzzleDepository::AimCursor(bool paused)
{
    const Vector2 cursor = guiManager->GetCursorPosition();
    const OrvaneEngine::Vector3 pixel(cursor.x / guiManager->GetScreenWidth() * static_cast<float>(window->width),
                                      cursor.y / guiManager->GetScreenHeight() * static_cast<float>(window->height),
                                      -1.0f);
    OrvaneEngine::Vector3 nearPoint;
    OrvaneEngine::Vector3 farPoint;
    cameraManager->Unproject(nearPoint, guiManager->GetCamera(), pixel);
    cameraManager->Unproject(farPoint, guiManager->GetCamera(), OrvaneEngine::Vector3(pixel.x, pixel.y, 1.0f));
    cursorPoint = Vector2(nearPoint.x, nearPoint.y);
    pressed = controls->IsKeyPressed("MOUSE1") && !paused;
    obstacleHit = false;
    if (pressed && gameData->obstacle != nullptr)
    {
        const OrvaneEngine::Ray ray(nearPoint, farPoint - nearPoint);
        float distance = 0.0f;
        obstacleHit = gameData->obstacle->Pick(ray, &distance);
    }
}

void PuzzleDepository::MoveTrain(bool paused, float move, float dt)
{
    const float frontBefore = trainDistances.empty() ? 0.0f : trainDistances.back();
    CarriagePlace place = CarriageState();
    if (move <= 0.0f)
    {
        MoveTrainBackward(trainDistances, move, place);
        SetCarriageState(place);
        return;
    }
    const float L = path.length;
    if (place.shown && AnyPieceUnplaced())
    {
        carriageDistance += move;
        if (!relax && carriageDistance > L - kEndZone)
        {
            MarkFailure();
            carriageDistance = std::min(carriageDistance, L);
            const float sink = EndZoneSink(carriageDistance, L);
            carriage->SetScale(1.0f - sink);
            if (sink + 0.0001f > 1.0f)
            {
                carriage->SetVisible(false);
                carriageSunk = true;
            }
        }
        place.distance = carriageDistance;
    }
    MoveTrainForward(trainDistances, move, place);
    SinkIntoHole();
    SoundStart(paused, frontBefore, dt);
}

void PuzzleDepository::SinkIntoHole()
{
    const float L = path.length;
    for (std::size_t i = 0; i < trainPieces.size(); ++i)
    {
        float& d = trainDistances[i];
        if (relax)
        {
            d = std::min(d, L);
            continue;
        }
        if (d <= L - kEndZone)
            continue;
        MarkFailure();
        d = std::min(d, L);
        const float sink = EndZoneSink(d, L);
        trainPieces[i]->SetScale((1.0f - sink) * TrackScale(*trainPieces[i]));
        if (sink + 0.0001f > 1.0f)
            trainPieces[i]->SetVisible(false);
    }
    for (std::size_t i = 0; i < trainPieces.size();)
    {
        if (!trainPieces[i]->IsVisible())
        {
            trainPieces.erase(trainPieces.begin() + static_cast<std::ptrdiff_t>(i));
            trainDistances.erase(trainDistances.begin() + static_cast<std::ptrdiff_t>(i));
        }
        else
        {
            ++i;
        }
    }
}

void PuzzleDepository::SoundStart(bool paused, float frontBefore, float dt)
{
    if (rushSpeed <= 0.0f || (failure && !relax))
    {
        EndSoundLoop(*soundController, LevelSound::PathBegin);
        return;
    }
    const float frontAfter = trainDistances.empty() ? 0.0f : trainDistances.back();
    // A standstill under the pause fade has no speed to divide out.
    const float speed = dt > 0.0f ? std::fabs(frontBefore - frontAfter) / dt : 0.0f;
    if (speed <= 55.0f || paused)
    {
        EndSoundLoop(*soundController, LevelSound::PathBegin);
        return;
    }
    soundController->SetSoundTempo(LevelSound::PathBegin, StartSoundTempo(rushSpeed));
    if (!IsSoundPlaying(*soundController, LevelSound::PathBegin) && startSoundAllowed)
    {
        LoopSoundIfIdle(*soundController, LevelSound::PathBegin);
        startSoundAllowed = false;
    }
}

void PuzzleDepository::UpdateFreeLength(float dt)
{
    if (trainPieces.empty())
        return;
    const float behind = carriage->IsVisible() ? carriageDistance : trainDistances.front();
    freeLength = std::max(path.length - kPieceSpacing * static_cast<float>(trainPieces.size()) - behind, 0.0f);
    if (!relax && !failure && StepWarning(warningTime, freeLength, dt))
        soundController->PlaySound(LevelSound::PathWarning);
}

void PuzzleDepository::Feed()
{
    while (CanFeed(trainDistances))
    {
        PuzzleElement* candidate = nullptr;
        if (!failure)
        {
            for (PuzzleElement* piece : loosePieces->GetPieces())
            {
                if (!piece->IsTaken() && !piece->IsVisible())
                {
                    candidate = piece;
                    break;
                }
            }
        }
        if (candidate != nullptr)
        {
            const float distance = FeedDistance(trainDistances);
            candidate->SetVisible(true);
            candidate->SetScale(1.0f);
            candidate->SetScale(TrackScale(*candidate));
            trainPieces.insert(trainPieces.begin(), candidate);
            trainDistances.insert(trainDistances.begin(), distance);
            continue;
        }
        if (carriage->IsVisible())
            break;
        carriageDistance = FeedDistance(trainDistances);
        carriage->SetVisible(true);
    }
}

void PuzzleDepository::PlaceTrain()
{
    for (std::size_t i = 0; i < trainPieces.size(); ++i)
        trainPieces[i]->SetPosition(PointAtDistance(trainDistances[i]));
    if (carriage->IsVisible())
        carriage->SetPosition(PointAtDistance(carriageDistance));
}

} // namespace Mirabel
