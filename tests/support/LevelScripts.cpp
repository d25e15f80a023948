#include "tests/support/LevelScripts.h"

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "game/BonusManager.h"
#include "game/Carriage.h"
#include "game/GameLogic.h"
#include "game/Puzzle.h"
#include "game/PuzzleDepository.h"
#include "game/PuzzleElement.h"
#include "game/PuzzleElementManager.h"
#include "game/menus/GUIGameLogicText.h"
#include "game/menus/GUIGameLogicTextManager.h"
#include "platform/win32/testing/EventPush.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace corvellan::test
{

using OrvaneEngine::Vector2;

LevelMouse::LevelMouse(OrvaneEngine::Engine& engine_) : engine(engine_), window(engine_.window->handle)
{
}

void LevelMouse::MoveTo(const Vector2& point)
{
    const float width = static_cast<float>(engine.window->width);
    const float height = static_cast<float>(engine.window->height);
    const auto x = static_cast<std::int32_t>(std::lround(point.x * width / engine.guiManager->GetScreenWidth()));
    const auto row = static_cast<std::int32_t>(height) - 1 -
                     static_cast<std::int32_t>(std::lround(point.y * height / engine.guiManager->GetScreenHeight()));
    if (!win32::testing::PushMouseMotion(window, x, row, x - lastX, row - lastRow))
        throw std::runtime_error("level script: the mouse motion was not queued");
    lastX = x;
    lastRow = row;
}

void LevelMouse::Button(std::uint32_t button, bool down)
{
    if (!win32::testing::PushMouseButton(window, button, down, lastX, lastRow))
        throw std::runtime_error("level script: the mouse button was not queued");
}

LevelScripts::LevelScripts(Mirabel::GameLogic& logic_, OrvaneEngine::Engine& engine_, LevelFrame frame_,
                           float limitSeconds_)
    : logic(logic_), engine(engine_), frame(std::move(frame_)), limitSeconds(limitSeconds_), mouse(engine_)
{
    run.states.push_back(logic.GetState());
}

bool LevelScripts::TimeLeft() const
{
    return run.seconds < limitSeconds;
}

bool LevelScripts::Step(std::uint32_t milliseconds)
{
    frame(milliseconds);
    ++run.frames;
    run.seconds += static_cast<float>(milliseconds) / 1000.0f;
    std::vector<const void*> now;
    for (const auto& text : logic.GetTextManager()->GetTexts())
    {
        now.push_back(text.get());
        if (std::find(liveTexts.begin(), liveTexts.end(), text.get()) == liveTexts.end())
        {
            std::u16string whole;
            for (const std::u16string& line : text->GetLines())
                whole += (whole.empty() ? u"" : u"\n") + line;
            run.texts.push_back(whole);
        }
    }
    liveTexts = std::move(now);
    if (run.states.back() != logic.GetState())
        run.states.push_back(logic.GetState());
    return TimeLeft();
}

bool LevelScripts::WaitFrames(std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i)
    {
        if (!Step(ActingFrame))
            return false;
    }
    return true;
}

void LevelScripts::WaitForIntroduction()
{
    while (!logic.GetTrack()->IsIntroductionDone() && Step(WaitingFrame))
    {
    }
}

void LevelScripts::IdleUntilTrainStands()
{
    std::vector<float> before;
    while (Step(WaitingFrame))
    {
        const std::vector<float>& now = logic.GetTrack()->GetTrainDistances();
        if (!now.empty() && now == before && logic.GetTrack()->GetCarriage()->IsVisible())
            return;
        before = now;
    }
}

std::int32_t LevelScripts::ChoosePiece() const
{
    const auto& train = logic.GetTrack()->GetTrainPieces();
    const auto& places = logic.GetBoard()->GetPlaces();
    std::int32_t front = -1;
    for (std::size_t i = train.size(); i-- > 0;)
    {
        const std::uint32_t index = train[i]->GetIndex();
        if (places[index]->GetState() != 0)
            continue;
        if (logic.GetBonuses()->FindBonus(index) != nullptr)
            return static_cast<std::int32_t>(i);
        if (front < 0)
            front = static_cast<std::int32_t>(i);
    }
    return front;
}

bool LevelScripts::Click(std::uint32_t button)
{
    mouse.Button(button, true);
    if (!Step(ActingFrame))
        return false;
    mouse.Button(button, false);
    return Step(ActingFrame);
}

bool LevelScripts::TakeFromTrain(Mirabel::PuzzleElement& piece)
{
    mouse.MoveTo(piece.GetPosition());
    return Click(0) && logic.GetLoosePieces()->GetCarriedPiece() == &piece;
}

bool LevelScripts::DropOnPlace(Mirabel::PuzzleElement& piece)
{
    const Vector2 place = logic.GetBoard()->PlacePoint(piece.GetIndex());
    const Vector2& offset = logic.GetTrack()->GetGrabOffset();
    mouse.MoveTo(Vector2(place.x - offset.x, place.y - offset.y));
    if (!Step(ActingFrame))
        return false;
    if (piece.IsVisible() && !Click(0))
        return false;
    if (logic.GetLoosePieces()->GetCarriedPiece() != &piece)
        return true;
    // Not placed after all: back to the track with the right button.
    Click(1);
    return false;
}

bool LevelScripts::PlaceOnePiece()
{
    const std::int32_t chosen = ChoosePiece();
    if (chosen < 0)
        return Step(ActingFrame);
    Mirabel::PuzzleElement* piece = logic.GetTrack()->GetTrainPieces()[static_cast<std::size_t>(chosen)];
    return TakeFromTrain(*piece) && DropOnPlace(*piece);
}

bool LevelScripts::Take(std::uint32_t pieceIndex)
{
    while (TimeLeft())
    {
        Mirabel::PuzzleElement* found = nullptr;
        for (Mirabel::PuzzleElement* piece : logic.GetTrack()->GetTrainPieces())
        {
            if (piece->GetIndex() == pieceIndex)
                found = piece;
        }
        if (found != nullptr ? TakeFromTrain(*found) : !Step(ActingFrame))
            return found != nullptr;
    }
    return false;
}

Mirabel::PuzzleElement* LevelScripts::TakeFrontPiece()
{
    const auto& train = logic.GetTrack()->GetTrainPieces();
    while (train.empty())
    {
        if (!Step(WaitingFrame))
            return nullptr;
    }
    return Take(train.back()->GetIndex()) ? logic.GetLoosePieces()->GetCarriedPiece() : nullptr;
}

bool LevelScripts::Place(std::uint32_t pieceIndex)
{
    while (TimeLeft())
    {
        if (!Take(pieceIndex))
            return false;
        Mirabel::PuzzleElement* piece = logic.GetLoosePieces()->GetCarriedPiece();
        if (DropOnPlace(*piece))
            return true;
    }
    return false;
}

LevelRun LevelScripts::Win()
{
    if (logic.IsRelax())
        IdleUntilTrainStands();
    else
        WaitForIntroduction();
    while (logic.GetBonuses()->GetBonuses().empty() && Step(WaitingFrame))
    {
    }
    while (TimeLeft() && logic.GetState() != Mirabel::GameLogic::Won)
    {
        if (logic.GetBoard()->AreAllPlaced())
            Step(ActingFrame);
        else
            PlaceOnePiece();
    }
    run.reached = logic.GetState() == Mirabel::GameLogic::Won;
    return run;
}

LevelRun LevelScripts::Lose()
{
    WaitForIntroduction();
    mouse.Button(1, true);
    while (logic.GetState() != Mirabel::GameLogic::Lost && Step(ActingFrame))
    {
    }
    run.reached = logic.GetState() == Mirabel::GameLogic::Lost;
    return run;
}

} // namespace corvellan::test
