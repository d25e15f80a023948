#pragma once

#include "platform/win32/Types.h"

#include <cstdint>

namespace win32
{

inline constexpr std::uint32_t MB_OK = 0x00000000u;
inline constexpr std::uint32_t MB_ICONERROR = 0x00000010u;

inline constexpr int IDOK = 1;

// Tells the player about a failure the program cannot go on from. The line
// "<caption>: <text>" always goes to stderr, so a run without a desktop (or
// one whose window is gone) still leaves the reason. Under a real display
// driver a modal error box shows it too; it needs no window and works after
// the platform library was shut down. The texts are narrow text of the
// active code page. owner and the kind of box asked for are not used:
// always one OK button. Answers IDOK.
int MessageBoxA(HWND owner, const char* text, const char* caption, std::uint32_t type);

} // namespace win32
