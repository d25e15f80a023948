#include "game/PuzzleDepository.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "framework/ScoreKeeper.h"
#include "framework/SoundController.h"
#include "game/Carriage.h"
#include "game/CarryRules.h"
#include "game/GameData.h"
#include "game/LevelSoundSwitch.h"
#include "game/LevelSounds.h"
#include "game/PuzzleElement.h"
#include "game/PuzzleElementManager.h"
#include "game/SpeedLaw.h"
#include "game/menus/GUIGameLogicTextManager.h"

#include <algorithm>
#include <cmath>

namespace Mirabel
{
namespace
{

using OrvaneEngine::GUIWindow;
using OrvaneEngine::Vector2;

constexpr std::uint32_t CheckpointEvent = 4;

} // namespace

PuzzleDepository::PuzzleDepository(OrvaneEngine::Engine* engine_, GameFramework::SoundController* soundController_,
                                   GameData* gameData_, GUIGameLogicTextManager* textManager_,
                                   PuzzleElementManager* loosePieces_, GameFramework::ScoreKeeper* scoreKeeper_,
                                   bool relax_)
    : engine(engine_), timerManager(engine_->timerManager.get()), window(engine_->window.get()),
      cameraManager(engine_->cameraManager.get()), particleSystemManager(engine_->particleSystemManager.get()),
      controls(engine_->controls.get()), guiManager(engine_->guiManager.get()),
      messageManager(engine_->messageManager.get()), soundController(soundController_), gameData(gameData_),
      textManager(textManager_), loosePieces(loosePieces_), scoreKeeper(scoreKeeper_), introductionDone(relax_),
      rushSpeed(relax_ ? 1350.0f : 400.0f), relax(relax_)
{
    BuildPath();
    GUIWindow* parent = loosePieces->GetWindow();
    if (!relax)
    {
        const std::uint32_t flags = GUIWindow::FlagShown | GUIWindow::FlagColored;
        holeBottom = guiManager->CreateWindow(flags, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), gameData->holeBottom,
                                              parent);
        holeTop = guiManager->CreateWindow(flags, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), gameData->holeTop, parent);
        holeBottom->SetLevel(2);
        holeTop->SetLevel(10);
    }
    carriage = new Carriage(engine, gameData, parent);
    startEffect = CloneEffect(gameData->pathStartEffect, !relax);
    if (startEffect != nullptr)
        startEffect->emitting = 1;
    finishEffect = CloneEffect(gameData->pathFinishEffect, false);
}

PuzzleDepository::~PuzzleDepository()
{
    if (holeBottom != nullptr)
        guiManager->ReleaseWindow(holeBottom);
    if (holeTop != nullptr)
        guiManager->ReleaseWindow(holeTop);
    if (startEffect != nullptr)
        particleSystemManager->DeleteParticleSystem(startEffect);
    if (finishEffect != nullptr)
        particleSystemManager->DeleteParticleSystem(finishEffect);
    delete carriage;
}

void PuzzleDepository::BuildPath()
{
    std::vector<Vector2> centres;
    std::size_t count = gameData->pathModels.size();
    if (relax && count > 0)
        --count;
    for (std::size_t i = 0; i < count; ++i)
    {
        const OrvaneEngine::Model* model = gameData->pathModels[i];
        if (model != nullptr)
            centres.emplace_back(model->boundingVolume.center.x, model->boundingVolume.center.y);
    }
    path = BuildTrackPath(centres);
    if (!path.IsUsable())
        messageManager->Fatal("The level's track has no length: the path models "
                              "game_objects\\depository\\path_000.mlf to path_005.mlf all lie at one point.");
}

OrvaneEngine::ParticleSystem* PuzzleDepository::CloneEffect(const OrvaneEngine::ParticleSystem* source, bool shown)
{
    if (source == nullptr)
        return nullptr;
    OrvaneEngine::ParticleSystem* effect = particleSystemManager->CloneParticleSystem(source);
    if (OrvaneEngine::Model* model = effect->GetModel())
    {
        model->SetFlags(OrvaneEngine::Model::FlagFixedDepth);
        model->depth = loosePieces->GetWindow()->depth - 0.001f;
    }
    effect->SetVisible(shown);
    effect->looping = 1;
    effect->cycleTime = 0.0f;
    effect->emitting = 0;
    return effect;
}

Vector2 PuzzleDepository::PointAtDistance(float s) const
{
    return Mirabel::PointAtDistance(path, s);
}

float PuzzleDepository::FindNearestPathPoint(const Vector2& point, bool& side) const
{
    return NearestPathDistance(path, point, side);
}

void PuzzleDepository::StartCharge()
{
    if (!carriage->IsVisible())
    {
        carriageDistance = 0.0f;
        carriage->SetVisible(true);
    }
    charging = true;
    chargeTime = 0.0f;
    chargeStart = carriageDistance;
    nextCheckpoint = FirstCheckpoint(chargeStart, path.length);
}

void PuzzleDepository::AddRollBackTime()
{
    rollBackTime += 3.1f;
}

void PuzzleDepository::AddPauseTime()
{
    brakeTime += PauseBonusTime(GetFreeRatio());
}

void PuzzleDepository::AddComboBrakeTime(std::uint32_t n)
{
    brakeTime += ComboBrakeTime(GetFreeRatio(), n);
}

void PuzzleDepository::ReturnHeldPiece()
{
    returnRequested = true;
}

void PuzzleDepository::Update(bool paused, float fade)
{
    float dt = timerManager->frameTime;
    if (!(failure && !relax))
        dt *= fade;
    if (!introductionDone)
        UpdateIntroduction(paused, dt);
    else if (charging)
        UpdateCharge(paused, dt);
    else
        UpdatePlay(paused, fade, dt);
}

void PuzzleDepository::UpdateIntroduction(bool paused, float dt)
{
    introductionTime += dt;
    const float tau = std::max(introductionTime - 0.3f, 0.0f);
    float head = IntroductionHead(tau);
    if (head <= path.length && tau > 0.15f)
    {
        soundController->SetSoundTempo(LevelSound::PathIntroduction, 1.0f + 0.55f * head / path.length);
        if (!paused)
            StartSoundIfIdle(*soundController, LevelSound::PathIntroduction);
        else
            StopSoundIfPlaying(*soundController, LevelSound::PathIntroduction);
    }
    if (head > path.length)
    {
        head = path.length;
        if (startEffect != nullptr)
            startEffect->emitting = 0;
        introductionDone = true;
        StopSoundIfPlaying(*soundController, LevelSound::PathIntroduction);
        soundController->PlaySound(LevelSound::PathIntroductionEnd);
    }
    if (startEffect != nullptr)
    {
        const Vector2 p = PointAtDistance(head);
        startEffect->emitterPosition = OrvaneEngine::Vector3(p.x, p.y, 0.0f);
    }
}

void PuzzleDepository::UpdateCharge(bool paused, float dt)
{
    if (finishEffect != nullptr && !finishEffect->IsVisible())
    {
        finishEffect->SetVisible(true);
        finishEffect->emitting = 1;
    }
    chargeTime += dt;
    const float tau = std::max(chargeTime - 0.05f, 0.0f);
    carriageDistance = ChargeDistance(chargeTime, chargeStart);
    const float L = path.length;
    if (carriageDistance > L - kEndZone)
    {
        carriageDistance = std::min(carriageDistance, L);
        const float sink = EndZoneSink(carriageDistance, L);
        carriage->SetScale(1.0f - sink);
        if (sink + 0.0001f > 1.0f)
            carriage->SetVisible(false);
    }
    if (carriageDistance + 0.0001f <= L)
    {
        if (tau > 0.15f)
        {
            if (!paused)
                StartSoundIfIdle(*soundController, LevelSound::ChargePathScore);
            else
                StopSoundIfPlaying(*soundController, LevelSound::ChargePathScore);
        }
    }
    else
    {
        carriageDistance = L;
        if (finishEffect != nullptr)
            finishEffect->emitting = 0;
        charging = false;
        chargeFinished = true;
        StopSoundIfPlaying(*soundController, LevelSound::ChargePathScore);
    }
    const Vector2 point = PointAtDistance(carriageDistance);
    const std::uint32_t passed = PassCheckpoints(nextCheckpoint, carriageDistance, L);
    for (std::uint32_t i = 0; i < passed; ++i)
    {
        textManager->AddText(u"+" + OrvaneEngine::UIntToStringW(scoreKeeper->GetPoints(CheckpointEvent), 0), point);
        scoreKeeper->AddPoints(CheckpointEvent, 1);
    }
    carriage->SetPosition(point);
    if (finishEffect != nullptr)
        finishEffect->emitterPosition = OrvaneEngine::Vector3(point.x, point.y, 0.0f);
}

CarriagePlace PuzzleDepository::CarriageState() const
{
    return CarriagePlace{carriage->IsVisible(), carriageDistance};
}

void PuzzleDepository::SetCarriageState(const CarriagePlace& place)
{
    carriageDistance = place.distance;
    if (!place.shown && carriage->IsVisible())
        carriage->SetVisible(false);
}

float PuzzleDepository::TrackScale(const PuzzleElement& piece) const
{
    return FitScale(piece.GetBaseSize(), trackBox);
}

bool PuzzleDepository::AnyPieceUnplaced() const
{
    for (const PuzzleElement* piece : loosePieces->GetPieces())
    {
        if (!(piece->IsTaken() && !piece->IsVisible()))
            return true;
    }
    return false;
}

void PuzzleDepository::MarkFailure()
{
    failure = true;
    if (failureSounded)
        return;
    soundController->PlaySound(LevelSound::LevelFailed);
    soundController->StopMusic(LevelSound::MusicChannel, true, LevelSound::MusicFadeOutRate);
    failureSounded = true;
}

} // namespace Mirabel
