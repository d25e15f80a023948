#include "game/Puzzle.h"

#include "engine/core/Controls.h"
#include "engine/core/Engine.h"
#include "engine/core/Random.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"
#include "framework/ScoreKeeper.h"
#include "framework/SoundController.h"
#include "game/BoardRules.h"
#include "game/Bonus.h"
#include "game/BonusManager.h"
#include "game/BonusRules.h"
#include "game/GameData.h"
#include "game/GameLogicData.h"
#include "game/LevelSounds.h"
#include "game/PuzzleDepository.h"
#include "game/PuzzleElement.h"
#include "game/PuzzleElementManager.h"
#include "game/menus/GUIGameCursor.h"
#include "game/menus/GUIGameLogicTextManager.h"

#include <algorithm>
#include <cmath>

namespace Mirabel
{
namespace
{

using OrvaneEngine::Color;
using OrvaneEngine::GUIWindow;
using OrvaneEngine::Vector2;

constexpr float BoardCorner = 63.0f;

void Show(GUIWindow* window, bool shown)
{
    if (shown)
        window->SetFlags(GUIWindow::FlagShown);
    else
        window->ClearFlags(GUIWindow::FlagShown);
}

bool IsShown(const GUIWindow* window)
{
    return (window->flags & GUIWindow::FlagShown) != 0;
}

} // namespace

Puzzle::Puzzle(OrvaneEngine::Engine* engine_, GUIGameCursor* gameCursor_,
               GameFramework::SoundController* soundController_, GameData* gameData_, GameLogicData* levelData_,
               GUIGameLogicTextManager* floatingTexts_, PuzzleElementManager* loosePieces_, PuzzleDepository* track_,
               BonusManager* bonuses_, GameFramework::ScoreKeeper* scoreKeeper_, bool relax_, GUIWindow* container)
    : engine(engine_), timerManager(engine_->timerManager.get()), guiManager(engine_->guiManager.get()),
      textManager(engine_->guiManager->GetTextManager()), particleSystemManager(engine_->particleSystemManager.get()),
      controls(engine_->controls.get()), gameCursor(gameCursor_), soundController(soundController_),
      gameData(gameData_), levelData(levelData_), floatingTexts(floatingTexts_), loosePieces(loosePieces_),
      track(track_), bonuses(bonuses_), scoreKeeper(scoreKeeper_), relax(relax_)
{
    const float w = levelData->boardSize.x;
    const float h = levelData->boardSize.y;
    const Vector2 corner(BoardCorner, BoardCorner);
    const Vector2 size(w, h);
    const Vector2 extent(w / 1024.0f, h / 512.0f);
    const std::uint32_t shownColored = GUIWindow::FlagShown | GUIWindow::FlagColored;

    boardWindow =
        guiManager->CreateTexturedWindow(shownColored, corner, size, levelData->backgroundShader, container, extent);
    boardWindow->SetColor(levelData->boardColor);
    placesWindow = guiManager->CreateWindow(GUIWindow::FlagShown, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr,
                                            boardWindow);
    outlineWindow =
        guiManager->CreateTexturedWindow(shownColored, corner, size, levelData->overlayShader, container, extent);
    outlineWindow->SetLevel(204);
    // A blended copy of the board's descriptor: it still shares the board's texture.
    OrvaneEngine::ShaderDescriptor coverDescriptor(*levelData->backgroundShader);
    coverDescriptor.SetFlags(OrvaneEngine::ShaderDescriptor::Blended);
    coverDescriptor.SetBlendFactor(0, 4);
    coverDescriptor.SetBlendFactor(1, 5);
    coverWindow = guiManager->CreateTexturedWindow(GUIWindow::FlagColored, corner, size, &coverDescriptor, container,
                                                   extent);
    coverWindow->SetColor(levelData->boardColor);
    coverWindow->SetLevel(205);

    completionWindow = guiManager->CreateWindow(0, corner, Vector2(1.0f, 1.0f), gameData->levelComplete, container);
    if (levelData->pictureShader != nullptr)
        completionWindow->SetShader(*levelData->pictureShader);
    completionWindow->SetLevel(203);
    completionModel = completionWindow->model;
    if (completionModel != nullptr)
        completionAnimation = completionModel->GetAnimationControl();

    if (gameData->levelCompleteEffect != nullptr)
    {
        completionEffect = particleSystemManager->CloneParticleSystem(gameData->levelCompleteEffect);
        completionEffect->looping = 0;
        if (OrvaneEngine::Model* model = completionEffect->GetModel())
        {
            model->SetFlags(OrvaneEngine::Model::FlagFixedDepth);
            model->depth = (completionModel != nullptr ? completionModel->depth : completionWindow->depth) - 0.001f;
        }
        completionEffect->SetVisible(false);
        completionEffect->emitterKind = 1;
    }

    boardBox.SetBox(OrvaneEngine::Vector3(BoardCorner, BoardCorner, 0.0f),
                    OrvaneEngine::Vector3(BoardCorner + w, BoardCorner + h, 0.0f));

    const std::uint32_t count = PieceCount();
    places.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
    {
        auto* place = new PuzzleElement(engine, soundController, gameData, levelData, i, false, placesWindow);
        place->SetPosition(levelData->centres[i]);
        places.push_back(place);
    }
    candidates.reserve(count);
}

Puzzle::~Puzzle()
{
    OrvaneEngine::DeleteAllAndClear(places);
    guiManager->ReleaseWindow(placesWindow);
    guiManager->ReleaseWindow(boardWindow);
    guiManager->ReleaseWindow(outlineWindow);
    guiManager->ReleaseWindow(coverWindow);
    guiManager->ReleaseWindow(completionWindow);
    if (completionEffect != nullptr)
        particleSystemManager->DeleteParticleSystem(completionEffect);
}

std::uint32_t Puzzle::PieceCount() const
{
    return static_cast<std::uint32_t>(levelData->textureNames.size());
}

bool Puzzle::AreAllPlaced() const
{
    return placedCount == PieceCount();
}

bool Puzzle::HasRunnableCompletion() const
{
    return completionAnimation != nullptr && completionAnimation->GetFrameCount() > 1 &&
           completionAnimation->speed != 0.0f;
}

bool Puzzle::IsComplete() const
{
    if (!AreAllPlaced())
        return false;
    // Without an animation to run, the outline's fading out ends the level.
    if (!HasRunnableCompletion())
        return !IsShown(outlineWindow);
    return !completionAnimation->IsPlaying() && completionAnimation->time > 0.0001f;
}

Vector2 Puzzle::PlacePoint(std::uint32_t index) const
{
    const Vector2 origin = placesWindow->GetAbsolutePosition();
    const Vector2& at = places[index]->GetPosition();
    return Vector2(origin.x + at.x, origin.y + at.y);
}

Vector2 Puzzle::TextPoint(const PuzzleElement& place) const
{
    return Vector2(boardWindow->position.x + place.GetPosition().x, boardWindow->position.y + place.GetPosition().y);
}

void Puzzle::Update(bool paused, float fade)
{
    const float dt = timerManager->frameTime * fade;
    if (fade >= 1.0f - 0.0001f)
    {
        Show(coverWindow, false);
    }
    else
    {
        Show(coverWindow, true);
        Color color = coverWindow->GetColor();
        color.a = std::clamp(1.0f - fade, 0.0f, 1.0f);
        coverWindow->SetColor(color);
    }
    timeSinceLastPlacement += dt;
    if (!paused && (controls->IsKeyPressed("MOUSE1") || magnetFlag || tipFlag))
        HandleRequest();
    if (AreAllPlaced() &&
        soundController->GetMusicState(LevelSound::MusicChannel) != GameFramework::SoundController::Playing)
        soundController->PlayMusic(LevelSound::MusicChannel, LevelSound::LevelMusicTrack, true,
                                   LevelSound::MusicFadeInRate);
    UpdateCursor(paused, fade);
    for (PuzzleElement* place : places)
        place->Update(paused, fade);
    UpdateCompletion(dt);
    SpawnBonus(dt);
}

void Puzzle::UpdateCursor(bool paused, float fade)
{
    const PuzzleElement* carried = loosePieces->GetCarriedPiece();
    if (carried == nullptr)
    {
        if (magnetActive)
        {
            magnetFlag = false;
            magnetActive = false;
        }
        for (PuzzleElement* place : places)
        {
            place->StopTipHighlight();
            place->StopMagnetHighlight();
            place->SetMagnetTarget(nullptr);
        }
        for (PuzzleElement* piece : loosePieces->GetPieces())
            piece->SetMagnetTarget(nullptr);
        gameCursor->SetCursorKind(EmptyHandCursorKind(tipFlag, magnetFlag));
        return;
    }
    if (paused || fade <= 1.0f - 0.0001f)
        return;
    bool anyTip = false;
    for (const PuzzleElement* place : places)
        anyTip = anyTip || place->IsTipHighlightRunning();
    gameCursor->SetCursorKind(CarryingCursorKind(gameCursor->GetCursorKind(), anyTip, magnetFlag));
}

void Puzzle::UpdateCompletion(float dt)
{
    if (!AreAllPlaced() || !IsShown(outlineWindow))
        return;
    const float alpha = outlineWindow->GetColor().a - dt;
    Show(completionWindow, true);
    if (completionAnimation != nullptr)
    {
        completionAnimation->repeat = false;
        completionAnimation->time = 0.0f;
    }
    Show(boardWindow, false);
    if (alpha <= 0.0001f)
    {
        Show(outlineWindow, false);
        if (completionAnimation != nullptr)
            completionAnimation->Play();
        if (completionEffect != nullptr)
        {
            completionEffect->SetVisible(true);
            completionEffect->cycleTime = 0.0f;
            completionEffect->emitting = 1;
        }
        return;
    }
    Color color = outlineWindow->GetColor();
    color.a = alpha;
    outlineWindow->SetColor(color);
}

void Puzzle::SpawnBonus(float dt)
{
    bonusTime += dt;
    const auto& train = track->GetTrainPieces();
    if (!(bonusTime > BonusInterval(static_cast<std::uint32_t>(train.size()), relax)))
        return;
    candidates.clear();
    for (const PuzzleElement* piece : train)
    {
        const std::uint32_t index = piece->GetIndex();
        if (places[index]->GetState() == 0 && bonuses->FindBonus(index) == nullptr)
            candidates.push_back(index);
    }
    if (!candidates.empty())
    {
        const std::uint32_t index = candidates[OrvaneEngine::RandomIndex(static_cast<std::uint32_t>(candidates.size()))];
        const Vector2 origin = boardWindow->GetAbsolutePosition();
        const Vector2& at = places[index]->GetPosition();
        bonuses->CreateBonus(index, Vector2(origin.x + at.x, origin.y + at.y));
    }
    bonusTime = 0.0f;
}

} // namespace Mirabel
