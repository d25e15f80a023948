#include "game/GameLoader.h"

#include "game/Game.h"

#include <memory>

namespace Mirabel
{

GameLoader::GameLoader(win32::HINSTANCE, win32::HINSTANCE, const char*, std::int32_t)
{
    Run();
}

void GameLoader::CreateGame()
{
    game = std::make_unique<Game>(Company, Title, Version);
}

} // namespace Mirabel
