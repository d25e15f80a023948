#include "engine/core/Window.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "platform/win32/Cursor.h"
#include "platform/win32/KeyState.h"
#include "platform/win32/Messages.h"
#include "platform/win32/WindowCalls.h"
#include "platform/win32/WindowClass.h"

#include <algorithm>

namespace OrvaneEngine
{
namespace
{

const char kClassName[] = "Orvane Engine window class";

// The one window the window procedure reaches.
Window* current = nullptr;

// A chain of hosts is short; the bound only guards against a broken one.
constexpr std::size_t kMaxAncestors = 64;

bool IsKeyDown(std::int32_t virtualKey)
{
    return (win32::GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

std::int32_t Centre(std::uint32_t desktop, std::uint32_t size)
{
    const std::int64_t offset = (static_cast<std::int64_t>(desktop) - static_cast<std::int64_t>(size)) / 2;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(offset, INT32_MIN, INT32_MAX));
}

float ClampSetting(float value)
{
    // Not-a-number fails both tests and lands on the lower bound.
    if (!(value >= 0.0f))
        return 0.0f;
    return std::min(value, 2.0f);
}

std::uint32_t TopLevelStyle(bool fullscreen)
{
    return fullscreen ? win32::WS_POPUP
                      : win32::WS_CAPTION | win32::WS_SYSMENU | win32::WS_MINIMIZEBOX | win32::WS_MAXIMIZEBOX;
}

std::uint32_t TopLevelExStyle(bool fullscreen)
{
    return fullscreen ? win32::WS_EX_APPWINDOW : win32::WS_EX_APPWINDOW | win32::WS_EX_WINDOWEDGE;
}

} // namespace

Window::Window(MessageManager* givenMessageManager, Config* givenConfig, const std::string& caption,
               win32::HWND givenParentWindow, std::uint32_t iconResource, bool givenMinimizeWhenInactive,
               std::uint32_t givenWidth, std::uint32_t givenHeight, bool givenFullscreen, bool givenCenterWindow,
               std::int32_t windowX, std::int32_t windowY)
    : messageManager(givenMessageManager), config(givenConfig), minimizeWhenInactive(givenMinimizeWhenInactive),
      centerWindow(givenCenterWindow), windowPosition{windowX, windowY}, width(givenWidth), height(givenHeight),
      fullscreen(givenFullscreen), parentWindow(givenParentWindow)
{
    current = this;
    messageManager->Message(" ");
    messageManager->Message("Window creation:");
    instance = win32::GetModuleHandleA(nullptr);
    cursor = win32::LoadCursorA(nullptr, win32::IDC_ARROW);

    messageManager->Message("...Registering the window class...");
    win32::WNDCLASSA windowClass{};
    windowClass.style = win32::CS_HREDRAW | win32::CS_VREDRAW;
    windowClass.lpfnWndProc = &Window::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = iconResource != 0 ? win32::LoadIconA(instance, iconResource)
                                          : win32::LoadIconA(nullptr, win32::IDI_APPLICATION);
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = win32::GetStockObject(win32::BLACK_BRUSH);
    windowClass.lpszClassName = kClassName;
    if (win32::RegisterClassA(&windowClass) == 0)
    {
        current = nullptr;
        messageManager->Fatal("Failed to register the window class", messageManager->LogPlatformReason());
    }

    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    win32::POINT place{0, 0};
    if (IsChild())
    {
        fullscreen = false;
        style = win32::WS_CHILD;
        exStyle = win32::WS_EX_TOOLWINDOW;
        win32::RECT host{};
        win32::GetWindowRect(parentWindow, &host);
        width = static_cast<std::uint32_t>(std::max(host.right - host.left, 0));
        height = static_cast<std::uint32_t>(std::max(host.bottom - host.top, 0));
    }
    else
    {
        style = TopLevelStyle(fullscreen);
        exStyle = TopLevelExStyle(fullscreen);
        if (!fullscreen)
        {
            win32::RECT desktop{};
            win32::GetWindowRect(win32::GetDesktopWindow(), &desktop);
            place = PlaceWindow(static_cast<std::uint32_t>(desktop.right - desktop.left),
                                static_cast<std::uint32_t>(desktop.bottom - desktop.top));
        }
    }

    win32::RECT outer{place.x, place.y, static_cast<std::int32_t>(place.x + static_cast<std::int64_t>(width)),
                      static_cast<std::int32_t>(place.y + static_cast<std::int64_t>(height))};
    win32::AdjustWindowRectEx(&outer, style, win32::FALSE, exStyle);
    handle = win32::CreateWindowExA(exStyle, kClassName, caption.c_str(),
                                    style | win32::WS_CLIPSIBLINGS | win32::WS_CLIPCHILDREN, outer.left, outer.top,
                                    outer.right - outer.left, outer.bottom - outer.top, parentWindow, nullptr,
                                    instance, nullptr);
    if (handle == 0)
    {
        // The class goes with the failure, so a later window can register it again.
        win32::UnregisterClassA(kClassName, instance);
        current = nullptr;
        messageManager->Fatal("Failed to create window", messageManager->LogPlatformReason());
    }

    win32::SetWindowPos(handle, givenFullscreen ? win32::HWND_TOPMOST : win32::HWND_NOTOPMOST, 0, 0, 0, 0,
                        win32::SWP_NOMOVE | win32::SWP_NOSIZE);

    messageManager->Message("...Creating a device context...");
    deviceContext = win32::GetDC(handle);
    if (deviceContext == nullptr)
    {
        win32::DestroyWindow(handle);
        win32::UnregisterClassA(kClassName, instance);
        handle = 0;
        current = nullptr;
        messageManager->Fatal("Failed to create a device context");
    }

    win32::ShowWindow(handle, win32::SW_SHOW);
    win32::SetForegroundWindow(handle);
    if (!IsChild())
        win32::SetFocus(handle);

    if (!IsChild() && fullscreen)
        ApplyGamma();

    if (IsChild())
    {
        for (win32::HWND ancestor = win32::GetParent(handle); ancestor != 0 && ancestors.size() < kMaxAncestors;
             ancestor = win32::GetParent(ancestor))
            ancestors.push_back(ancestor);
    }
}

Window::~Window()
{
    messageManager->Message("\nWindow destroying:");
    messageManager->Message("...Releasing device context...");
    win32::ReleaseDC(handle, deviceContext);
    messageManager->Message("...Releasing window...");
    win32::DestroyWindow(handle);
    messageManager->Message("...Unregistering class...");
    win32::UnregisterClassA(kClassName, instance);
    if (current == this)
        current = nullptr;
}

win32::POINT Window::PlaceWindow(std::uint32_t desktopWidth, std::uint32_t desktopHeight) const
{
    if (!centerWindow)
        return windowPosition;
    return win32::POINT{Centre(desktopWidth, width), Centre(desktopHeight, height)};
}

win32::LRESULT Window::WindowProc(win32::HWND handle, win32::UINT message, win32::WPARAM wParam,
                                  win32::LPARAM lParam)
{
    return HandleMessage(current, handle, message, wParam, lParam);
}

win32::LRESULT Window::HandleMessage(Window* window, win32::HWND handle, win32::UINT message, win32::WPARAM wParam,
                                     win32::LPARAM lParam)
{
    if (window == nullptr)
        return win32::DefWindowProcA(handle, message, wParam, lParam);
    const bool afterKeyDown = window->keyDownJustQueued;
    window->keyDownJustQueued = false;
    switch (message)
    {
    case win32::WM_KEYDOWN:
    case win32::WM_SYSKEYDOWN:
        window->QueueTypedKey(false, static_cast<std::uint16_t>(wParam & 0xFFFF));
        break;
    case win32::WM_CHAR:
        if (wParam >= 32)
        {
            const char16_t character = CharToWide(static_cast<char>(wParam & 0xFF));
            if (afterKeyDown && !window->typedKeys.empty() && !window->typedKeys.back().isCharacter)
                window->typedKeys.back() = TypedKey{true, static_cast<std::uint16_t>(character)};
            else
                window->QueueTypedKey(true, static_cast<std::uint16_t>(character));
        }
        break;
    case win32::WM_SYSCHAR:
        return 0;
    case win32::WM_SETCURSOR:
        win32::SetCursor(window->cursor);
        return 1;
    case win32::WM_CLOSE:
    case win32::WM_QUIT:
        window->config->Execute("exit");
        return 0;
    case win32::WM_SYSCOMMAND:
        switch (wParam & win32::SC_COMMAND_MASK)
        {
        case win32::SC_CLOSE:
            window->config->Execute("exit");
            return 0;
        case win32::SC_MINIMIZE:
            if (window->IsChild())
                return 0;
            window->minimized = true;
            break;
        case win32::SC_MAXIMIZE:
            if (!window->IsChild() && !window->config->fullscreen)
            {
                window->config->fullscreen = true;
                window->config->Save();
                window->config->SetCommandFlag("v_window_change_mode", false);
            }
            return 0;
        case win32::SC_RESTORE:
            if (window->handle != 0)
            {
                window->minimized = false;
                if (window->config->fullscreen && !window->IsChild())
                    window->ApplyGamma();
            }
            break;
        case win32::SC_TASKLIST:
        case win32::SC_SCREENSAVE:
        case win32::SC_HOTKEY:
        case win32::SC_MONITORPOWER:
            return 0;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return win32::DefWindowProcA(handle, message, wParam, lParam);
}

void Window::QueueTypedKey(bool isCharacter, std::uint16_t code)
{
    if (typedKeys.size() >= kTypedKeyCapacity)
        return;
    typedKeys.push_back(TypedKey{isCharacter, code});
    keyDownJustQueued = !isCharacter;
}

void Window::TakeTypedKey()
{
    if (keyTyped || typedKeys.empty())
        return;
    keyTyped = true;
    keyIsCharacter = typedKeys.front().isCharacter;
    keyCode = typedKeys.front().code;
    typedKeys.pop_front();
}

void Window::Update()
{
    TakeTypedKey();
    if (minimizeWhenInactive && !IsChild() && !minimized && !IsActive())
        Minimize();
    UpdateAltEnter();
    if (IsChild() && !win32::IsWindow(parentWindow))
        config->Execute("exit");
}

void Window::UpdateAltEnter()
{
    const bool held = IsKeyDown(win32::VK_MENU) && IsKeyDown(win32::VK_RETURN);
    if (!held)
    {
        altEnterArmed = true;
        return;
    }
    if (!altEnterArmed || IsChild() || minimized || !IsActive())
        return;
    altEnterArmed = false;
    ToggleFullscreenRequest();
}

void Window::ToggleFullscreenRequest()
{
    config->fullscreen = !config->fullscreen;
    config->Save();
    config->SetCommandFlag("v_window_change_mode", false);
}

void Window::SetMode(std::uint32_t newWidth, std::uint32_t newHeight, bool newFullscreen, std::uint32_t desktopWidth,
                     std::uint32_t desktopHeight)
{
    if (IsChild())
        return;
    width = newWidth;
    height = newHeight;
    fullscreen = newFullscreen;
    const std::uint32_t style = TopLevelStyle(fullscreen);
    const std::uint32_t exStyle = TopLevelExStyle(fullscreen);
    const win32::POINT place = fullscreen ? win32::POINT{0, 0} : PlaceWindow(desktopWidth, desktopHeight);
    win32::RECT outer{place.x, place.y, static_cast<std::int32_t>(place.x + static_cast<std::int64_t>(width)),
                      static_cast<std::int32_t>(place.y + static_cast<std::int64_t>(height))};
    win32::AdjustWindowRectEx(&outer, style, win32::FALSE, exStyle);
    win32::SetWindowLongA(handle, win32::GWL_EXSTYLE, static_cast<std::int32_t>(exStyle));
    win32::SetWindowLongA(handle, win32::GWL_STYLE, static_cast<std::int32_t>(style));
    win32::SetWindowPos(handle, fullscreen ? win32::HWND_TOPMOST : win32::HWND_NOTOPMOST, outer.left, outer.top,
                        outer.right - outer.left, outer.bottom - outer.top,
                        win32::SWP_SHOWWINDOW | win32::SWP_FRAMECHANGED);
    win32::SetFocus(handle);
    if (!fullscreen)
        win32::ChangeDisplaySettingsA(nullptr, 0);
    else
        ApplyGamma();
}

bool Window::IsActive() const
{
    const win32::HWND focus = win32::GetFocus();
    if (!IsChild())
        return focus != 0 && focus == handle;
    return focus != 0 && std::find(ancestors.begin(), ancestors.end(), focus) != ancestors.end();
}

void Window::Minimize()
{
    win32::PostMessageA(handle, win32::WM_SYSCOMMAND, win32::SC_MINIMIZE, 0);
}

void Window::PostSetFocus()
{
    win32::PostMessageA(handle, win32::WM_SETFOCUS, 0, 0);
}

void Window::SetCaption(const std::string& caption)
{
    win32::SetWindowTextA(handle, caption.c_str());
}

win32::HCURSOR Window::LoadCursor(std::uint16_t resourceId)
{
    return win32::LoadCursorA(instance, resourceId);
}

void Window::SetCursor(win32::HCURSOR newCursor)
{
    cursor = newCursor;
    win32::SetCursor(cursor);
}

void Window::ApplyGamma()
{
    config->brightness = ClampSetting(config->brightness);
    config->contrast = ClampSetting(config->contrast);
    config->gamma = ClampSetting(config->gamma);
    SetGammaRamp(config->brightness, config->contrast, config->gamma);
}

void Window::SetGammaRamp(float, float, float)
{
    // The display's gamma ramp is never changed.
}

void Window::ResetGamma()
{
    // Nothing was changed, so nothing is put back.
}

char16_t Window::CharToWide(char character)
{
    const std::u16string wide = NarrowToWide(std::string(1, character));
    return wide.empty() ? u'A' : wide.front();
}

} // namespace OrvaneEngine
