#include "tests/support/ExposedGame.h"

#include "framework/GameLogicBase.h"
#include "game/GameLoader.h"
#include "game/menus/GUIMenuWindow.h"

#include <utility>

namespace corvellan::test
{

ExposedGame::ExposedGame()
    : Mirabel::Game(Mirabel::GameLoader::Company, Mirabel::GameLoader::Title, Mirabel::GameLoader::Version)
{
}

void ExposedGame::UpdateWindows()
{
    Game::UpdateWindows();
    if (afterWindowUpdates)
        afterWindowUpdates();
}

std::unique_ptr<GameFramework::GameLogicBase> ExposedGame::CreateGameLogic(GameFramework::StageRecord* stageRecord,
                                                                         GameFramework::LevelRecord* levelRecord,
                                                                         std::uint32_t gameCounter)
{
    ++levelsMade;
    return Game::CreateGameLogic(stageRecord, levelRecord, gameCounter);
}

std::string ExposedGame::OpenScreens() const
{
    const std::pair<const char*, Mirabel::GUIMenuWindow*> screens[] = {
        {"welcome", Menu(welcomeWindow)},
        {"main menu", Menu(mainMenuWindow)},
        {"exit", Menu(exitWindow)},
        {"options", Menu(optionsWindow)},
        {"high scores", Menu(highScoresWindow)},
        {"map", Menu(startGameLogicWindow)},
        {"continue question", Menu(continueGameLogicWindow)},
        {"in-game menu", Menu(gameLogicMenuWindow)},
        {"in-game exit", Menu(gameLogicMenuExitWindow)},
        {"restart question", Menu(gameLogicRestartWindow)},
        {"pause", Menu(gameLogicPauseWindow)},
        {"level complete", Menu(levelCompleteWindow)},
        {"game complete", Menu(gameCompleteWindow)},
        {"game over", Menu(gameOverWindow)},
        {"introduction", introductionWindow.get()},
        {"relax offer", relaxWindow.get()},
        {"tutorial", tutorialWindow.get()},
    };
    std::string open;
    for (const auto& [name, menu] : screens)
        if (menu != nullptr && menu->IsOpen())
            open += std::string(open.empty() ? "" : ", ") + name + (IsSettled(menu) ? "" : " (moving)");
    if (gameLogic)
        open += std::string(open.empty() ? "" : ", ") + "level in state " + std::to_string(gameLogic->GetState());
    return open.empty() ? "none" : open;
}

bool ExposedGame::IsSettled(const Mirabel::GUIMenuWindow* menu)
{
    return menu != nullptr && menu->IsOpen() && menu->color.a > 0.999f && menu->IsAnyControlAppearing() == 0;
}

} // namespace corvellan::test
