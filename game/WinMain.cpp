#include "game/WinMain.h"

#include "game/GameLoader.h"
#include "platform/win32/Shell.h"

#include <new>

namespace Mirabel
{

const char* const StatisticsAddress = CORVELLAN_STATISTICS_URL;

} // namespace Mirabel

int WinMain(win32::HINSTANCE instance, win32::HINSTANCE previousInstance, const char* commandLine,
            std::int32_t showCommand)
{
    // The loader's constructor runs the whole game and catches whatever ends it.
    Mirabel::GameLoader* loader =
        new (std::nothrow) Mirabel::GameLoader(instance, previousInstance, commandLine, showCommand);
    // What the shell answers changes nothing for the player.
    win32::ShellExecuteA(0, "open", Mirabel::StatisticsAddress, nullptr, nullptr, win32::SW_SHOW);
    const bool failed = loader == nullptr || loader->GetOutcome() == GameFramework::GameLoaderBase::Outcome::Failed;
    delete loader;
    return failed ? 1 : 0;
}
