#include "tests/game/flow/FlowGame.h"

#include "framework/GUIMainMenuWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "game/GameLoader.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIWelcomeWindow.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/GameDataSet.h"

#include <stdexcept>

namespace corvellan::test
{

namespace wt = win32::testing;

FlowGame::FlowGame()
    : Game(Mirabel::GameLoader::Company, Mirabel::GameLoader::Title, Mirabel::GameLoader::Version)
{
}

FlowRun::FlowRun(bool)
{
    if (!GameDataSet::Write(folders.program.Path()))
        throw std::runtime_error("the flow data set could not be written");
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

bool FlowRun::RunToMenus()
{
    if (!game)
        Start();
    const auto menuOpen = [this] {
        const auto* welcome = dynamic_cast<const Mirabel::GUIWelcomeWindow*>(game->welcomeWindow.get());
        const auto* main = dynamic_cast<const Mirabel::GUIMainMenuWindow*>(game->mainMenuWindow.get());
        return (welcome != nullptr && welcome->IsOpen()) || (main != nullptr && main->IsOpen());
    };
    return FramesUntil(menuOpen, 2000);
}

void FlowRun::Stop()
{
    game.reset();
}

} // namespace corvellan::test
