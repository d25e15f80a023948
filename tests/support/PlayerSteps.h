#pragma once
// The player's moves that the whole-game runs share, each added to a run as
// its steps: what to wait for on the screen and what to press then.

#include "tests/support/GameRun.h"
#include "tests/support/LevelScripts.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace Mirabel
{
class GameLogic;
class GUIControl;
class GUIStartGameLogicWindow;
} // namespace Mirabel

namespace corvellan::test
{

class PlayerSteps
{
public:
    // Level time a scripted level may take.
    static constexpr float LevelTimeLimit = 120.0f;

    explicit PlayerSteps(GameRun& run);

    ExposedGame& Game() const { return run.Game(); }
    Mirabel::GUIStartGameLogicWindow& Map() const;
    Mirabel::GameLogic& Level() const;
    // The map open, settled and waiting for its start button.
    bool MapWaits() const;
    void Click(const Mirabel::GUIControl& control) const;
    // The control of a screen, given as the member that holds it, clicked.
    template <class Screen, class Base>
    void Press(const std::unique_ptr<Base>& screen, std::unique_ptr<Mirabel::GUIControl> Screen::*control) const
    {
        Click(*(ExposedGame::As<Screen>(screen).*control));
    }

    // A button of the main menu (GUIMainMenuWindow::ButtonIndex) clicked.
    void PressMainMenu(std::uint32_t button) const;
    // The welcome screen takes the name and ENTER; the main menu opens,
    // where `atMainMenu` acts.
    void FirstStart(const std::string& name, std::function<void()> atMainMenu = {});
    // The main menu's START, the introduction when it comes, the map's start.
    void StartFromMainMenu();
    // The map open with its start button, then pressed.
    void StartOnMap(const std::string& name);
    // The level with that title (any when empty), the game's `made`th level
    // made in this run, shown, pressing the map's start whenever the map
    // waits for it (the map asks for some levels by itself) and passing the
    // tutorial when it comes.
    void PlayFromMap(const std::string& name, const std::u16string& title, std::uint32_t made,
                     std::function<void()> atLevel = {});
    // The tutorial's continue.
    void PassTutorial();
    // The level panel shown with that title (any when empty) over a running level.
    void WaitForLevel(const std::u16string& title, std::function<void()> act = {});
    // The level won by the level script, on the game's own level; what the
    // script saw lands in `seen`.
    void WinLevel(LevelRun& seen);
    // The level complete screen's continue.
    void ContinueAfterLevel(std::function<void()> atScreen = {});
    // The totem game of the map played to its end by clicking the arrows,
    // then the map back with its start button.
    void SolveTotem();

    bool LevelShown(const std::u16string& title) const;

    // Set once the introduction was passed on the way to the map.
    bool introductionSeen = false;

private:
    GameRun& run;
    // The totem cell under the pointer, and the one whose button is down.
    std::int32_t aimedCell = -1;
    std::int32_t pressedCell = -1;
};

} // namespace corvellan::test
