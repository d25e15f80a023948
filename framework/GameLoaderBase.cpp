#include "framework/GameLoaderBase.h"

#include "engine/core/Error.h"
#include "framework/GameBase.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/Messages.h"

#include <cstdio>

namespace GameFramework
{

GameLoaderBase::~GameLoaderBase() = default;

void GameLoaderBase::Run()
{
    try
    {
        CreateGame();
        MessageLoop();
        DestroyGame();
    }
    catch (const OrvaneEngine::FatalError& error)
    {
        DestroyGame();
        ShowFailure(error.GetText().c_str());
    }
    catch (const OrvaneEngine::Error& error)
    {
        // The box only says that something went wrong; the text names the file.
        std::fprintf(stderr, "%s\n", error.GetText().c_str());
        DestroyGame();
        ShowFailure("Unhandled exception!");
    }
    catch (...)
    {
        DestroyGame();
        ShowFailure("Unhandled exception!");
    }
}

void GameLoaderBase::DestroyGame()
{
    game.reset();
}

void GameLoaderBase::MessageLoop()
{
    while (!game->IsExiting())
    {
        win32::MSG message{};
        if (win32::PeekMessageA(&message, 0, 0, 0, win32::PM_REMOVE))
        {
            win32::TranslateMessage(&message);
            win32::DispatchMessageA(&message);
        }
        else
        {
            game->FrameStep();
        }
    }
}

void GameLoaderBase::ShowFailure(const char* text)
{
    outcome = Outcome::Failed;
    win32::MessageBoxA(0, text, "Fatal Error", win32::MB_ICONERROR);
}

} // namespace GameFramework
