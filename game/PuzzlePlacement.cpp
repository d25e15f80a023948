#include "engine/core/Controls.h"
#include "engine/core/StringFunctions.h"
#include "engine/gui/GUITextManager.h"
#include "framework/ScoreKeeper.h"
#include "framework/SoundController.h"
#include "game/BoardRules.h"
#include "game/Bonus.h"
#include "game/BonusManager.h"
#include "game/BonusRules.h"
#include "game/LevelSounds.h"
#include "game/Puzzle.h"
#include "game/PuzzleDepository.h"
#include "game/PuzzleElement.h"
#include "game/PuzzleElementManager.h"
#include "game/menus/GUIGameLogicTextManager.h"

#include <cmath>

// The board answering a request: placing the carried piece, its points, texts
// and bonus, and the opening of blocked places after it.
namespace Mirabel
{
namespace
{

using OrvaneEngine::Vector2;

constexpr std::uint32_t CompleteEvent = 0;
constexpr std::uint32_t PlacementEvent = 1;
constexpr std::uint32_t OpeningEvent = 2;
constexpr std::uint32_t BonusEvent = 3;

const char* BonusTextKey(std::uint32_t type)
{
    switch (type)
    {
    case BonusRollBack:
        return "GAME_LOGIC_BONUS_ROLL_BACK";
    case BonusPause:
        return "GAME_LOGIC_BONUS_PAUSE";
    case BonusMagnet:
        return "GAME_LOGIC_BONUS_MAGNET";
    default:
        return "GAME_LOGIC_BONUS_TIP";
    }
}

std::uint32_t BonusSound(std::uint32_t type)
{
    switch (type)
    {
    case BonusRollBack:
        return LevelSound::BonusRollBackApply;
    case BonusPause:
        return LevelSound::BonusPauseApply;
    case BonusMagnet:
        return LevelSound::BonusMagnetApply;
    default:
        return LevelSound::BonusTipApply;
    }
}

} // namespace

void Puzzle::HandleRequest()
{
    PuzzleElement* held = loosePieces->GetCarriedPiece();
    if (held != nullptr && rememberedCarried == nullptr)
    {
        PuzzleElement* place = places[held->GetIndex()];
        if (tipFlag)
        {
            tipFlag = false;
            place->StartTipHighlight();
        }
        if (magnetFlag && held->GetMagnetTarget() == nullptr)
        {
            magnetActive = true;
            if (place->GetState() == 0)
            {
                held->SetMagnetTarget(place);
            }
            else
            {
                place->StartTipHighlight();
                magnetFlag = false;
                magnetActive = false;
            }
        }
    }
    rememberedCarried = held;
    if (held == nullptr)
        return;
    PuzzleElement* place = places[held->GetIndex()];
    const Vector2 point = PlacePoint(held->GetIndex());
    const float dist = std::hypot(point.x - held->GetPosition().x, point.y - held->GetPosition().y);
    bool placed = false;
    if (dist < SnapDistance(tipFlag))
    {
        if (place->GetState() == 0)
        {
            Place(*held, *place);
            placed = true;
        }
        else
        {
            track->ReturnHeldPiece();
            floatingTexts->AddText(textManager->GetText("GAME_LOGIC_BLOCKED_ELEMENT"), TextPoint(*place));
        }
    }
    if (controls->IsKeyPressed("MOUSE1") && held->IsVisible())
        soundController->PlaySound(LevelSound::ElementPutBad);
    if (placed && AreAllPlaced())
    {
        scoreKeeper->AddPoints(CompleteEvent, 1);
        soundController->PlaySound(LevelSound::LevelComplete);
        soundController->StopMusic(LevelSound::MusicChannel, true, LevelSound::MusicFadeOutRate);
    }
    if (placed)
        OpenBlockedPlaces();
}

void Puzzle::Place(PuzzleElement& held, PuzzleElement& place)
{
    magnetFlag = false;
    magnetActive = false;
    tipFlag = false;
    held.SetVisible(false);
    place.SetVisible(true);
    const ComboStep step = NextCombo(combo, timeSinceLastPlacement);
    if (step.brakes && !relax)
        track->AddComboBrakeTime(step.brakeCombo);
    combo = step.combo;
    soundController->PlaySound(LevelSound::ElementPut + combo);
    std::uint32_t points = scoreKeeper->GetPoints(PlacementEvent) * combo;
    timeSinceLastPlacement = 0.0f;
    Bonus* bonus = bonuses->FindBonus(held.GetIndex());
    if (bonus != nullptr)
        points += scoreKeeper->GetPoints(BonusEvent);
    scoreKeeper->AddScore(points);
    std::u16string text = PlacementText(points, combo, textManager->GetText("GAME_LOGIC_COMBO"));
    ++placedCount;
    if (bonus != nullptr)
    {
        text += u"\n" + textManager->GetText(BonusTextKey(bonus->GetType()));
        if (!AreAllPlaced())
            ApplyBonus(*bonus);
        bonus->StartVanish();
    }
    floatingTexts->AddText(text, TextPoint(place));
}

void Puzzle::ApplyBonus(const Bonus& bonus)
{
    switch (bonus.GetType())
    {
    case BonusRollBack:
        track->AddRollBackTime();
        break;
    case BonusPause:
        track->AddPauseTime();
        break;
    case BonusMagnet:
        magnetFlag = true;
        break;
    default:
        tipFlag = true;
        break;
    }
    soundController->PlaySound(BonusSound(bonus.GetType()));
}

void Puzzle::OpenBlockedPlaces()
{
    std::vector<PlaceState> states;
    states.reserve(places.size());
    for (const PuzzleElement* place : places)
        states.push_back(PlaceState{place->GetState(), place->IsFilled(), &place->GetNeighbours()});
    for (const std::uint32_t i : Mirabel::OpenBlockedPlaces(states))
    {
        places[i]->SetState(0);
        scoreKeeper->AddPoints(OpeningEvent, 1);
        floatingTexts->AddText(u"+" + OrvaneEngine::UIntToStringW(scoreKeeper->GetPoints(OpeningEvent), 0),
                               TextPoint(*places[i]));
    }
}

} // namespace Mirabel
