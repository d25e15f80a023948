#pragma once

#include "platform/win32/WindowTypes.h"

#include <cstdint>

namespace Mirabel
{

// The publisher's statistics page, asked for after every run; empty (the
// default build) asks for nothing.
extern const char* const StatisticsAddress;

} // namespace Mirabel

// Runs the game to its end, then asks the shell for the statistics page.
// 0 after a normal end; 1 after a fatal error, or when the game could not
// even be set up.
int WinMain(win32::HINSTANCE instance, win32::HINSTANCE previousInstance, const char* commandLine,
            std::int32_t showCommand);
