#include "tests/support/ExposedGame.h"

#include "game/GameLoader.h"
#include "game/menus/GUIMenuWindow.h"

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

bool ExposedGame::IsSettled(const Mirabel::GUIMenuWindow* menu)
{
    return menu != nullptr && menu->IsOpen() && menu->color.a > 0.999f && menu->IsAnyControlAppearing() == 0;
}

} // namespace corvellan::test
