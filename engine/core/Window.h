#pragma once

#include "platform/win32/DeviceContext.h"
#include "platform/win32/WindowTypes.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class MessageManager;
class Config;

// The program's one window: registers its class, creates the window
// windowed, fullscreen or inside a host window, handles the messages that
// matter to the engine, switches styles when the render system sets a video
// mode, toggles fullscreen on Alt+Enter and minimises itself when it loses
// the focus.
class Window
{
public:
    Window(MessageManager* messageManager, Config* config, const std::string& caption, win32::HWND parentWindow,
           std::uint32_t iconResource, bool minimizeWhenInactive, std::uint32_t width, std::uint32_t height,
           bool fullscreen, bool centerWindow, std::int32_t windowX, std::int32_t windowY);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    static win32::LRESULT WindowProc(win32::HWND handle, win32::UINT message, win32::WPARAM wParam,
                                     win32::LPARAM lParam);
    static win32::LRESULT HandleMessage(Window* window, win32::HWND handle, win32::UINT message,
                                        win32::WPARAM wParam, win32::LPARAM lParam);

    void Update();
    void SetMode(std::uint32_t newWidth, std::uint32_t newHeight, bool newFullscreen, std::uint32_t desktopWidth,
                 std::uint32_t desktopHeight);
    bool IsActive() const;
    void Minimize();
    void PostSetFocus();
    void SetCaption(const std::string& caption);
    win32::HCURSOR LoadCursor(std::uint16_t resourceId);
    void SetCursor(win32::HCURSOR newCursor);
    void ApplyGamma();
    void SetGammaRamp(float brightness, float contrast, float gamma);
    void ResetGamma();
    static char16_t CharToWide(char character);

    // The typed keys still waiting for their frame.
    std::size_t GetQueuedKeyCount() const { return typedKeys.size(); }

    // The most typed keys that wait for their frame; more are dropped.
    static constexpr std::size_t kTypedKeyCapacity = 64;

    MessageManager* messageManager;
    Config* config;
    bool minimizeWhenInactive;
    bool minimized = false;
    bool centerWindow;
    win32::POINT windowPosition;
    std::uint32_t width;
    std::uint32_t height;
    bool fullscreen;
    std::vector<win32::HWND> ancestors;
    win32::HWND parentWindow;
    win32::HWND handle = 0;
    win32::HINSTANCE instance = nullptr;
    win32::HDC deviceContext = nullptr;
    win32::HCURSOR cursor = nullptr;
    bool keyTyped = false;
    bool keyIsCharacter = false;
    std::uint16_t keyCode = 0;

private:
    struct TypedKey
    {
        bool isCharacter;
        std::uint16_t code;
    };

    void QueueTypedKey(bool isCharacter, std::uint16_t code);
    void TakeTypedKey();
    void UpdateAltEnter();
    void ToggleFullscreenRequest();
    // Where a windowed top-level window goes on a desktop of that size.
    win32::POINT PlaceWindow(std::uint32_t desktopWidth, std::uint32_t desktopHeight) const;
    bool IsChild() const { return parentWindow != 0; }

    // Typed keys in arrival order: fast typing can bring several between two
    // frames, and each one gets a frame of its own.
    std::deque<TypedKey> typedKeys;
    // A character replaces the key-down queued right before it: the pair is
    // one keystroke.
    bool keyDownJustQueued = false;
    // Alt+Enter acts once per press: it re-arms when either key is released.
    bool altEnterArmed = true;
};

} // namespace OrvaneEngine
