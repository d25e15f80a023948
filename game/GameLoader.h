#pragma once

#include "framework/GameLoaderBase.h"
#include "platform/win32/WindowTypes.h"

#include <cstdint>

namespace Mirabel
{

// Names the product to the framework; its constructor runs the whole game
// and returns once the game has ended.
class GameLoader : public GameFramework::GameLoaderBase
{
public:
    static constexpr const char* Company = "Brackwell Games";
    static constexpr const char* Title = "Corvellan";
    // Reads as 1.03.
    static constexpr std::uint32_t Version = 103;

    GameLoader(win32::HINSTANCE instance, win32::HINSTANCE previousInstance, const char* commandLine,
               std::int32_t showCommand);

    void CreateGame() override;
};

} // namespace Mirabel
