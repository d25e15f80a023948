#include "engine/core/Controls.h"
#include "framework/SoundController.h"
#include "game/Carriage.h"
#include "game/CarryRules.h"
#include "game/LevelSounds.h"
#include "game/PuzzleDepository.h"
#include "game/PuzzleElement.h"
#include "game/PuzzleElementManager.h"

#include <cmath>

// The player's hand on the track side: taking a piece, dropping it back
// beside the track, returning it, and the right button's fast-forward.
namespace Mirabel
{

using OrvaneEngine::Vector2;

void PuzzleDepository::HandleCarriedPiece(bool paused, float dt)
{
    PuzzleElement* carried = loosePieces->GetCarriedPiece();
    const bool handEmpty = carried == nullptr && !TakePiece();
    carried = loosePieces->GetCarriedPiece();
    if (carried != nullptr)
    {
        bool side = true;
        const float s = FindNearestPathPoint(carried->GetPosition(), side);
        const Vector2 on = PointAtDistance(s);
        const float d = std::hypot(carried->GetPosition().x - on.x, carried->GetPosition().y - on.y);
        carriedDistance = side ? d : 0.0f;
        bool dropped = false;
        if (pressed && !obstacleHit && d < 20.0f && !paused)
            dropped = DropPiece(*carried, s);
        if (!dropped && (controls->IsKeyPressed("MOUSE2") || returnRequested) && !paused)
        {
            returnRequested = false;
            ReturnPiece(*carried);
        }
    }
    if (!handEmpty)
        return;
    if (controls->IsKeyPressed("MOUSE2"))
    {
        fastForwardHeld = true;
        fastForwardHoldTime = 0.0f;
    }
    if (fastForwardHeld)
    {
        if (controls->IsKeyDown("MOUSE2"))
            fastForwardHoldTime += dt;
        else
            fastForwardHeld = false;
    }
}

bool PuzzleDepository::TakePiece()
{
    if (!pressed || obstacleHit)
        return false;
    for (std::size_t i = 0; i < trainPieces.size(); ++i)
    {
        PuzzleElement* piece = trainPieces[i];
        if (!piece->HitTest(cursorPoint))
            continue;
        // The press is used up: neither the drop below nor the board sees it.
        controls->BlockInput();
        pressed = false;
        trainPieces.erase(trainPieces.begin() + static_cast<std::ptrdiff_t>(i));
        trainDistances.erase(trainDistances.begin() + static_cast<std::ptrdiff_t>(i));
        piece->SetTaken(true);
        const Vector2& at = piece->GetPosition();
        grabOffset = LimitGrabOffset(Vector2(at.x - cursorPoint.x, at.y - cursorPoint.y), trackBox);
        soundController->PlaySound(LevelSound::ElementGet);
        return true;
    }
    return false;
}

void PuzzleDepository::PutOnTrack(PuzzleElement& piece, const TrainSlot& slot)
{
    trainPieces.insert(trainPieces.begin() + static_cast<std::ptrdiff_t>(slot.index), &piece);
    trainDistances.insert(trainDistances.begin() + static_cast<std::ptrdiff_t>(slot.index), slot.distance);
    piece.SetScale(1.0f);
    piece.SetScale(TrackScale(piece));
    piece.SetPosition(PointAtDistance(slot.distance));
    piece.SetTaken(false);
    soundController->PlaySound(LevelSound::ElementCancel);
}

bool PuzzleDepository::DropPiece(PuzzleElement& piece, float s)
{
    const std::optional<TrainSlot> slot = FindDropSlot(trainDistances, CarriageState(), path.length, s);
    if (!slot)
        return false;
    PutOnTrack(piece, *slot);
    return true;
}

void PuzzleDepository::ReturnPiece(PuzzleElement& piece)
{
    if (!relax)
    {
        if (const std::optional<TrainSlot> slot = FindReturnSlot(trainDistances, CarriageState(), path.length))
            PutOnTrack(piece, *slot);
        return;
    }
    if (!carriage->IsVisible())
    {
        piece.SetVisible(false);
        piece.SetScale(1.0f);
        piece.SetScale(TrackScale(piece));
        piece.SetTaken(false);
        soundController->PlaySound(LevelSound::ElementCancel);
        return;
    }
    const float former = carriageDistance;
    carriageDistance -= kPieceSpacing;
    if (carriageDistance < 0.0f)
        carriage->SetVisible(false);
    else
        carriage->SetPosition(PointAtDistance(carriageDistance));
    PutOnTrack(piece, TrainSlot{0, former});
}

} // namespace Mirabel
