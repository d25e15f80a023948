#include "tests/game/flow/FlowGame.h"

#include "framework/GUIMainMenuWindowBase.h"
#include "framework/GUIStartGameLogicWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIWelcomeWindow.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GameDataSet.h"
#include "tests/support/LevelData.h"

#include <stdexcept>

namespace corvellan::test
{

namespace wt = win32::testing;

FlowGame::FlowGame() = default;

void FlowGame::OnUpgradeWindow()
{
    if (upgradeWindow->result == 3)
        ++upgradeServed;
    Game::OnUpgradeWindow();
}

std::unique_ptr<GameFramework::GUILoadingWindowBase> FlowGame::CreateGameLogicLoadingWindow()
{
    ownObjectsBeforeScreens = menuWindowManager && unicorn && gameCompleteEffect && upgradeWindow &&
                              introductionWindow && relaxWindow && tutorialWindow && !welcomeWindow;
    return Game::CreateGameLogicLoadingWindow();
}

void FlowGame::OnHelpWindow()
{
    Game::OnHelpWindow();
    if (duringPass)
        duringPass();
}

FlowRun::FlowRun(bool levels)
{
    const std::string root = folders.program.Path();
    if (!GameDataSet::Write(root))
        throw std::runtime_error("the flow data set could not be written");
    if (levels)
    {
        // The level's data comes with an empty menu background list; the
        // menus keep the data set's.
        const std::string backgroundList = root + "/data/ui/menus/background/background.ini";
        const std::string background = ReadFileText(backgroundList).value_or("");
        LevelData::Write(root, LevelDataOptions{});
        if (!WriteFileBytes(backgroundList, background))
            throw std::runtime_error("the flow background list could not be written");
        const std::string level = std::string("1\r\n") + LevelData::PuzzleName + " 60 90\r\n";
        if (!GameDataSet::WriteFile(root, "data/levels/stage0.ini", level) ||
            !GameDataSet::WriteFile(root, "data/levels/stage1.ini", level))
            throw std::runtime_error("the flow level lists could not be written");
    }
    wt::SetFakeMilliseconds(100000);
}

FlowRun::~FlowRun()
{
    Stop();
    wt::ResetMultimediaTimer();
}

FlowGame& FlowRun::Start()
{
    game = std::make_unique<FlowGame>();
    return *game;
}

void FlowRun::Frame()
{
    wt::AdvanceFakeMilliseconds(FrameMilliseconds);
    game->FrameStep();
}

bool FlowRun::FramesUntil(const std::function<bool()>& condition, std::uint32_t frames)
{
    for (std::uint32_t frame = 0; frame < frames; ++frame)
    {
        if (condition())
            return true;
        Frame();
    }
    return condition();
}

bool FlowRun::RunToMenus(bool profile)
{
    if (!game)
        Start();
    if (profile)
        game->profileManager->SetCurrentProfile(game->profileManager->CreateProfile(u"Ann"), true);
    const auto menuOpen = [this] {
        const auto* welcome = dynamic_cast<const Mirabel::GUIWelcomeWindow*>(game->welcomeWindow.get());
        const auto* main = dynamic_cast<const Mirabel::GUIMainMenuWindow*>(game->mainMenuWindow.get());
        return (welcome != nullptr && welcome->IsOpen()) || (main != nullptr && main->IsOpen());
    };
    return FramesUntil(menuOpen, 2000);
}

void FlowRun::Pass()
{
    game->DispatchWindowResults();
    game->ClearWindowResults();
}

bool FlowRun::OpenMap()
{
    const auto& main = dynamic_cast<const Mirabel::GUIMainMenuWindow&>(*game->mainMenuWindow);
    if (!FramesUntil([&main] { return main.IsOpen(); }, 300))
        return false;
    game->mainMenuWindow->result = 23;
    Pass();
    const auto& map = dynamic_cast<const Mirabel::GUIStartGameLogicWindow&>(*game->startGameLogicWindow);
    return FramesUntil([&map] { return map.IsOpen(); }, 300);
}

bool FlowRun::StartLevel()
{
    if (!OpenMap())
        return false;
    game->startGameLogicWindow->result = 23;
    Pass();
    return FramesUntil([this] { return game->gameLogic != nullptr; }, 600);
}

void FlowRun::Stop()
{
    game.reset();
}

} // namespace corvellan::test
