#pragma once

#include "engine/core/Vector2.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>

namespace OrvaneEngine
{

class MessageManager;
class TimerManager;
class Config;
class Window;

// The engine's view of keyboard and mouse for one frame, by key name: what
// is held, what went down this frame, the cursor, the typed key, the wheel,
// and a lock that silences input until every key is released. The device
// layer feeds it and then runs Controls::Update.
class Controls
{
public:
    Controls(MessageManager* log, TimerManager* timers, Config* configuration, Window* window);
    virtual ~Controls();
    Controls(const Controls&) = delete;
    Controls& operator=(const Controls&) = delete;

    virtual void Update();
    virtual void EndFrame();

    bool IsKeyDown(const std::string& name) const;
    bool IsKeyPressed(const std::string& name) const;
    bool AnyKeyPressed() const;
    bool AnyKeyDown() const;
    void BlockInput();
    bool GetTypedChar(std::uint16_t& code, std::uint8_t& isCharacter) const;
    Vector2 GetCursorPosition() const;
    void SetCursorPosition(const Vector2& point);
    void ShowCursor(bool visible);
    bool IsCursorVisible() const { return cursorVisible; }

    // This frame's relative mouse movement, the system cursor's movement
    // since the previous frame and the wheel; y grows upwards unless
    // "c_invert_mouse" is set.
    const Vector2& GetMouseMotion() const { return mouseMotion; }
    const Vector2& GetCursorMotion() const { return cursorMotion; }
    std::int32_t GetWheel() const { return wheel; }
    bool IsBlocked() const { return blocked; }

    // The lock gives up waiting for the device layer after this long when
    // the system sees every key up.
    static constexpr float kBlockFallbackSeconds = 2.0f;

protected:
    MessageManager* log;
    TimerManager* timers;
    Config* configuration;
    Window* window;
    bool cursorVisible = true;
    std::map<std::string, bool> held;
    std::map<std::string, bool> pressed;
    std::array<std::string, 8> mouseButtonNames;
    std::int32_t wheel = 0;
    bool wheelLatch = false;
    Vector2 mouseMotion{0.0f, 0.0f};
    Vector2 cursorMotion{0.0f, 0.0f};
    std::int32_t lastCursorX = 0;
    std::int32_t lastCursorY = 0;
    bool blocked = false;
    float blockTime = 0.0f;

private:
    // Held or pressed anywhere, or a typed key waiting, with the lock ignored.
    bool IsAnythingActive() const;
    void UpdateLock();
    void ApplyCursorVisibility();
    static bool IsSystemKeyDown();
};

} // namespace OrvaneEngine
