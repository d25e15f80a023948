#include "tests/support/PlayerSteps.h"

#include "framework/GameLogicBase.h"
#include "game/GameLogic.h"
#include "game/MiniGame.h"
#include "game/MiniGameCell.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIGameLogicWindow.h"
#include "game/menus/GUIIntroductionWindow.h"
#include "game/menus/GUILevelCompleteWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "game/menus/GUITutorialWindow.h"
#include "game/menus/GUIWelcomeWindow.h"

#include <stdexcept>
#include <utility>

namespace corvellan::test
{

PlayerSteps::PlayerSteps(GameRun& run_) : run(run_)
{
}

Mirabel::GUIStartGameLogicWindow& PlayerSteps::Map() const
{
    return dynamic_cast<Mirabel::GUIStartGameLogicWindow&>(*Game().startGameLogicWindow);
}

bool PlayerSteps::MapWaits() const
{
    const Mirabel::MiniGame* totem = Map().miniGame.get();
    return ExposedGame::IsSettled(Game().startGameLogicWindow) && Map().startControl->IsVisible() &&
           (totem == nullptr || !totem->running || totem->completed);
}

Mirabel::GameLogic& PlayerSteps::Level() const
{
    auto* logic = dynamic_cast<Mirabel::GameLogic*>(Game().gameLogic.get());
    if (logic == nullptr)
        throw std::runtime_error("no level is running");
    return *logic;
}

void PlayerSteps::Click(const Mirabel::GUIControl& control) const
{
    run.Click(*control.widget);
}

void PlayerSteps::PressMainMenu(std::uint32_t button) const
{
    Click(ExposedGame::As<Mirabel::GUIMainMenuWindow>(Game().mainMenuWindow).GetControl(button));
}

void PlayerSteps::FirstStart(const std::string& name, std::function<void()> atMainMenu)
{
    // The typed characters reach the field one a frame; ENTER counts only
    // once the field holds a name.
    run.Then("welcome screen open", [this] { return ExposedGame::IsSettled(Game().welcomeWindow); },
             [this, name] { run.Type(name); })
        .Then("name typed",
              [this, name] {
                  const auto& welcome = ExposedGame::As<Mirabel::GUIWelcomeWindow>(Game().welcomeWindow);
                  return welcome.entry.Name() == std::u16string(name.begin(), name.end());
              },
              [this] { run.Key("Return"); })
        .Then("main menu open", [this] { return ExposedGame::IsSettled(Game().mainMenuWindow); },
              std::move(atMainMenu));
}

void PlayerSteps::StartFromMainMenu()
{
    run.Then("main menu open for START", [this] { return ExposedGame::IsSettled(Game().mainMenuWindow); },
             [this] { PressMainMenu(Mirabel::GUIMainMenuWindow::Start); })
        // The introduction comes on the first start only, a page a press.
        .Repeat("introduction passed or map open",
                [this] { return ExposedGame::IsSettled(Game().startGameLogicWindow); },
                [this] {
                    if (!ExposedGame::IsSettled(Game().introductionWindow))
                        return;
                    introductionSeen = true;
                    Click(*Game().introductionWindow->continueControl);
                });
    StartOnMap("map open for its start");
}

void PlayerSteps::StartOnMap(const std::string& name)
{
    run.Then(name,
             [this] { return MapWaits(); },
             [this] { Click(*Map().startControl); });
}

void PlayerSteps::PlayFromMap(const std::string& name, const std::u16string& title, std::uint32_t made,
                              std::function<void()> atLevel)
{
    run.Repeat(name, [this, title, made] { return Game().levelsMade >= made && LevelShown(title); },
               [this] {
                   if (ExposedGame::IsSettled(Game().tutorialWindow))
                       Click(*Game().tutorialWindow->continueControl);
                   else if (MapWaits())
                       Click(*Map().startControl);
               });
    if (atLevel)
        run.Then(name + ", then acted on", [] { return true; }, std::move(atLevel));
}

void PlayerSteps::PassTutorial()
{
    run.Then("tutorial open", [this] { return ExposedGame::IsSettled(Game().tutorialWindow); },
             [this] { Click(*Game().tutorialWindow->continueControl); });
}

bool PlayerSteps::LevelShown(const std::u16string& title) const
{
    const auto* panel = dynamic_cast<const Mirabel::GUIGameLogicWindow*>(Game().gameLogicWindow.get());
    return panel != nullptr && panel->shown && panel->color.a > 0.999f && Game().gameLogic &&
           Game().gameLogic->GetState() == GameFramework::GameLogicBase::Running && (title.empty() || run.Shows(title));
}

void PlayerSteps::WaitForLevel(const std::u16string& title, std::function<void()> act)
{
    run.Then("level shown", [this, title] { return LevelShown(title); }, std::move(act));
}

void PlayerSteps::WinLevel(LevelRun& seen)
{
    run.Then("level won", [] { return true; },
             [this, &seen] {
                 LevelScripts scripts(Level(), run.Engine(), [this](std::uint32_t ms) { run.Frame(ms); },
                                      LevelTimeLimit);
                 seen = scripts.Win();
                 if (!seen.reached)
                     throw std::runtime_error("the level script did not win the level");
             });
}

void PlayerSteps::ContinueAfterLevel(std::function<void()> atScreen)
{
    run.Then("level complete open", [this] { return ExposedGame::IsSettled(Game().levelCompleteWindow); },
             [this, atScreen] {
                 if (atScreen)
                     atScreen();
                 const auto& screen = dynamic_cast<const Mirabel::GUILevelCompleteWindow&>(*Game().levelCompleteWindow);
                 Click(*screen.continueControl);
             });
}

void PlayerSteps::SolveTotem()
{
    // A turn takes three frames: the pointer onto the cell (it takes input
    // only while hovered), the button down, the button up.
    run.Then("totem game solved",
             [this] {
                 if (!ExposedGame::IsSettled(Game().startGameLogicWindow) || !Map().miniGame)
                     return false;
                 Mirabel::MiniGame& totem = *Map().miniGame;
                 if (totem.solved)
                     return true;
                 const auto& cells = totem.GetCells();
                 if (pressedCell >= 0)
                 {
                     run.Mouse().Button(0, false);
                     pressedCell = -1;
                     return false;
                 }
                 if (aimedCell >= 0 && static_cast<std::size_t>(aimedCell) < cells.size() &&
                     cells[static_cast<std::size_t>(aimedCell)]->InputPossible())
                 {
                     run.Mouse().Button(0, true);
                     pressedCell = std::exchange(aimedCell, -1);
                     return false;
                 }
                 aimedCell = -1;
                 for (std::size_t i = 0; i < cells.size(); ++i)
                 {
                     const Mirabel::MiniGameCell& cell = *cells[i];
                     if (cell.flipState == 0 || cell.shownState != cell.flipState || cell.scrambleFlipsLeft != 0 ||
                         !cell.active)
                         continue;
                     // Off the centre across: a turn about x; along: about y.
                     const float quarter = cell.cellSize.x / 4.0f;
                     const bool aboutX = (cell.flipState & 1u) != 0;
                     run.Mouse().MoveTo(OrvaneEngine::Vector2(cell.centre.x + (aboutX ? 0.0f : quarter),
                                                              cell.centre.y + (aboutX ? quarter : 0.0f)));
                     aimedCell = static_cast<std::int32_t>(i);
                     break;
                 }
                 return false;
             })
        // The play stays built until the map closes; its closing sequence ends it.
        .Then("totem game over", [this] { return Map().miniGame->completed; });
}

} // namespace corvellan::test
