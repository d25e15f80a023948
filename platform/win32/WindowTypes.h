#pragma once

// The values the window code passes to and gets back from the window system:
// handles, message parameters, messages, styles and flags.

#include "platform/win32/Types.h"

#include <cstdint>

namespace win32
{

struct CursorObject;
struct IconObject;

using BOOL = std::int32_t;
using UINT = std::uint32_t;
using ATOM = std::uint16_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
// The program's module: an address that names it, never dereferenced.
using HINSTANCE = const void*;
using HCURSOR = CursorObject*;
using HICON = IconObject*;
using HBRUSH = std::uint32_t;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;

struct RECT
{
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct WNDCLASSA
{
    UINT style;
    WNDPROC lpfnWndProc;
    std::int32_t cbClsExtra;
    std::int32_t cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
};

struct MSG
{
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::uint32_t time;
    POINT pt;
};

// Class styles.
inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;

// Window styles.
inline constexpr std::uint32_t WS_POPUP = 0x80000000u;
inline constexpr std::uint32_t WS_CHILD = 0x40000000u;
inline constexpr std::uint32_t WS_MINIMIZE = 0x20000000u;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000u;
inline constexpr std::uint32_t WS_CLIPSIBLINGS = 0x04000000u;
inline constexpr std::uint32_t WS_CLIPCHILDREN = 0x02000000u;
inline constexpr std::uint32_t WS_CAPTION = 0x00C00000u;
inline constexpr std::uint32_t WS_SYSMENU = 0x00080000u;
inline constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000u;
inline constexpr std::uint32_t WS_MAXIMIZEBOX = 0x00010000u;

// Extended window styles.
inline constexpr std::uint32_t WS_EX_TOOLWINDOW = 0x00000080u;
inline constexpr std::uint32_t WS_EX_WINDOWEDGE = 0x00000100u;
inline constexpr std::uint32_t WS_EX_APPWINDOW = 0x00040000u;

// SetWindowLongA indices.
inline constexpr std::int32_t GWL_EXSTYLE = -20;
inline constexpr std::int32_t GWL_STYLE = -16;

// SetWindowPos: where in the z order, and what to leave alone.
inline constexpr HWND HWND_TOP = 0;
inline constexpr HWND HWND_TOPMOST = 0xFFFFFFFFu;
inline constexpr HWND HWND_NOTOPMOST = 0xFFFFFFFEu;
inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;
inline constexpr UINT SWP_FRAMECHANGED = 0x0020;
inline constexpr UINT SWP_SHOWWINDOW = 0x0040;
inline constexpr UINT SWP_HIDEWINDOW = 0x0080;

// ShowWindow commands.
inline constexpr std::int32_t SW_HIDE = 0;
inline constexpr std::int32_t SW_SHOWNORMAL = 1;
inline constexpr std::int32_t SW_SHOWMINIMIZED = 2;
inline constexpr std::int32_t SW_SHOW = 5;
inline constexpr std::int32_t SW_MINIMIZE = 6;
inline constexpr std::int32_t SW_RESTORE = 9;

// PeekMessageA: whether the message leaves the queue.
inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;

// Messages.
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_SETCURSOR = 0x0020;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_SYSCHAR = 0x0106;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;

// WM_SYSCOMMAND commands; the low four bits are the system's own.
inline constexpr WPARAM SC_COMMAND_MASK = 0xFFF0;
inline constexpr WPARAM SC_MINIMIZE = 0xF020;
inline constexpr WPARAM SC_MAXIMIZE = 0xF030;
inline constexpr WPARAM SC_CLOSE = 0xF060;
inline constexpr WPARAM SC_RESTORE = 0xF120;
inline constexpr WPARAM SC_TASKLIST = 0xF130;
inline constexpr WPARAM SC_SCREENSAVE = 0xF140;
inline constexpr WPARAM SC_HOTKEY = 0xF150;
inline constexpr WPARAM SC_MONITORPOWER = 0xF170;

// WM_SETCURSOR hit-test code of the client area.
inline constexpr LPARAM HTCLIENT = 1;

// Key-message lParam bits.
inline constexpr LPARAM KF_ALTDOWN_BIT = LPARAM{1} << 29;
inline constexpr LPARAM KF_REPEAT_BIT = LPARAM{1} << 30;

// Virtual-key codes the program names.
inline constexpr std::int32_t VK_LBUTTON = 0x01;
inline constexpr std::int32_t VK_RBUTTON = 0x02;
inline constexpr std::int32_t VK_MBUTTON = 0x04;
inline constexpr std::int32_t VK_XBUTTON1 = 0x05;
inline constexpr std::int32_t VK_XBUTTON2 = 0x06;
inline constexpr std::int32_t VK_BACK = 0x08;
inline constexpr std::int32_t VK_TAB = 0x09;
inline constexpr std::int32_t VK_RETURN = 0x0D;
inline constexpr std::int32_t VK_SHIFT = 0x10;
inline constexpr std::int32_t VK_CONTROL = 0x11;
inline constexpr std::int32_t VK_MENU = 0x12;
inline constexpr std::int32_t VK_ESCAPE = 0x1B;
inline constexpr std::int32_t VK_F4 = 0x73;
inline constexpr std::int32_t VK_LSHIFT = 0xA0;
inline constexpr std::int32_t VK_RSHIFT = 0xA1;
inline constexpr std::int32_t VK_LCONTROL = 0xA2;
inline constexpr std::int32_t VK_RCONTROL = 0xA3;
inline constexpr std::int32_t VK_LMENU = 0xA4;
inline constexpr std::int32_t VK_RMENU = 0xA5;

// Stock resources of the system.
inline constexpr std::uint32_t IDC_ARROW = 32512;
inline constexpr std::uint32_t IDI_APPLICATION = 32512;
inline constexpr std::int32_t BLACK_BRUSH = 4;

} // namespace win32
