#include "game/GameLogic.h"

#include "engine/core/BoundingVolume.h"
#include "engine/core/Engine.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/ScoreKeeper.h"
#include "framework/SoundController.h"
#include "game/BonusManager.h"
#include "game/CarryRules.h"
#include "game/GameData.h"
#include "game/LevelSoundSwitch.h"
#include "game/LevelSounds.h"
#include "game/Puzzle.h"
#include "game/PuzzleDepository.h"
#include "game/PuzzleElement.h"
#include "game/PuzzleElementManager.h"
#include "game/SpeedLaw.h"
#include "game/menus/GUIGameLogicTextManager.h"

namespace Mirabel
{
namespace
{

using OrvaneEngine::Vector2;

// Event id and points, registered in this order.
constexpr std::uint32_t ScoreEvents[][2] = {{0, 1000}, {1, 100}, {2, 350}, {3, 250}, {4, 25}};

// Effect sounds a level may leave looping or mid-pass when it is deleted.
constexpr std::uint32_t LevelLoopingSounds[] = {
    LevelSound::BonusTip,  LevelSound::BonusMagnet, LevelSound::PathIntroduction,
    LevelSound::PathBegin, LevelSound::PathEnd,     LevelSound::ChargePathScore,
};

} // namespace

GameLogic::GameLogic(OrvaneEngine::Engine* engine_, GUIGameCursor* gameCursor_,
                     GameFramework::ProfileManagerBase* profileManager_,
                     GameFramework::SoundController* soundController_, GameData* gameData_,
                     GameLogicData* levelData_, GameFramework::StageRecord* stageRecord_,
                     GameFramework::LevelRecord* levelRecord_, std::uint32_t gameCounter_)
    : GameLogicBase(engine_, soundController_, stageRecord_, levelRecord_, gameCounter_),
      timerManager(engine_->timerManager.get()), guiManager(engine_->guiManager.get()), gameCursor(gameCursor_),
      profileManager(profileManager_), gameData(gameData_), levelData(levelData_)
{
    relax = profileManager->currentProfile != nullptr && profileManager->currentProfile->mode == 1;
    for (const auto& event : ScoreEvents)
        scoreKeeper->SetPoints(event[0], event[1]);
    container = guiManager->CreateWindow(OrvaneEngine::GUIWindow::FlagShown, Vector2(0.0f, 0.0f),
                                         Vector2(0.0f, 0.0f), nullptr, gameData->levelRootWindow);
    textManager = std::make_unique<GUIGameLogicTextManager>(engine, gameData->gameObjectWindow);
    loosePieces = std::make_unique<PuzzleElementManager>(engine, soundController, gameData, levelData,
                                                         gameData->gameObjectWindow);
    track = std::make_unique<PuzzleDepository>(engine, soundController, gameData, textManager.get(),
                                               loosePieces.get(), scoreKeeper.get(), relax);
    bonuses = std::make_unique<BonusManager>(engine, gameData, track.get(), relax, container);
    board = std::make_unique<Puzzle>(engine, gameCursor, soundController, gameData, levelData, textManager.get(),
                                     loosePieces.get(), track.get(), bonuses.get(), scoreKeeper.get(), relax,
                                     container);
    pauseFade = 1.0f;
    if (relax)
        timer->SetPaused(false);
    magnetGlideStep = 0.0f;
    soundController->PlaySound(LevelSound::LevelBegin);
}

GameLogic::~GameLogic()
{
    // Nothing of a deleted level may go on sounding in the menus.
    for (const std::uint32_t id : LevelLoopingSounds)
        soundController->StopSound(id);
    board.reset();
    bonuses.reset();
    track.reset();
    loosePieces.reset();
    textManager.reset();
    guiManager->ReleaseWindow(container);
}

void GameLogic::Update()
{
    GameLogicBase::Update();
    const float dt = timerManager->frameTime;
    const bool paused = state == Paused;
    pauseFade = StepPauseFade(pauseFade, paused, dt);

    const bool introductionWasDone = track->IsIntroductionDone();
    track->Update(paused, pauseFade);
    if (!introductionWasDone && track->IsIntroductionDone())
        timer->SetPaused(false);

    PuzzleElement* carried = nullptr;
    bool glide = false;
    if (state == Running)
    {
        carried = loosePieces->GetCarriedPiece();
        if (carried != nullptr)
            glide = MoveCarriedPiece(*carried);
    }
    if (carried != nullptr && carried->GetMagnetTarget() != nullptr)
        LoopSoundIfIdle(*soundController, LevelSound::BonusMagnet);
    else
        EndSoundLoop(*soundController, LevelSound::BonusMagnet);
    magnetGlideStep = glide ? dt * pauseFade : 0.0f;

    board->Update(paused, pauseFade);
    loosePieces->Update(paused, pauseFade);
    bonuses->Update(paused, pauseFade);
    textManager->Update();

    if (!board->AreAllPlaced())
    {
        if (track->IsFailed() && !relax)
            SetState(Lost);
        return;
    }
    timer->SetPaused(true);
    if (relax)
    {
        if (board->IsComplete())
            SetState(Won);
        return;
    }
    if (!track->IsCharging() && !track->IsChargeFinished())
        track->StartCharge();
    if (track->IsChargeFinished() && board->IsComplete())
        SetState(Won);
}

bool GameLogic::MoveCarriedPiece(PuzzleElement& piece)
{
    piece.SetScale(1.0f);
    const Vector2 size = piece.GetSize();
    const float trackScale = FitScale(size, track->GetTrackBox());
    const float growth = BoardGrowth(track->GetCarriedDistance());
    const Vector2& at = piece.GetPosition();
    OrvaneEngine::BoundingVolume box(OrvaneEngine::Vector3(at.x - size.x / 2.0f, at.y - size.y / 2.0f, 0.0f),
                                     OrvaneEngine::Vector3(at.x + size.x / 2.0f, at.y + size.y / 2.0f, 0.0f));
    piece.SetScale(CarriedScale(growth, trackScale, box.Intersects(board->GetBoardBox())));

    const Vector2 cursor = guiManager->GetCursorPosition();
    const Vector2& offset = track->GetGrabOffset();
    Vector2 target(cursor.x + offset.x, cursor.y + offset.y);
    bool glide = false;
    if (PuzzleElement* place = piece.GetMagnetTarget())
    {
        const Vector2 origin = place->GetWindow()->GetParentPosition();
        const Vector2 placePoint(origin.x + place->GetPosition().x, origin.y + place->GetPosition().y);
        target = MagnetTarget(target, placePoint, piece.GetPosition(), magnetGlideStep, glide);
        if (glide && !place->IsMagnetHighlightRunning())
            place->StartMagnetHighlight();
    }
    piece.SetPosition(target);
    return glide;
}

} // namespace Mirabel
