#include "engine/core/Controls.h"

#include "engine/core/Config.h"
#include "engine/core/KeyNames.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "platform/win32/Cursor.h"
#include "platform/win32/KeyState.h"

#include <algorithm>

namespace OrvaneEngine
{
namespace
{

// A float coordinate as a whole pixel: truncated toward zero, held inside
// the 32-bit range; not-a-number is 0.
std::int32_t ToPixel(float value)
{
    const double wide = value;
    if (!(wide == wide))
        return 0;
    return static_cast<std::int32_t>(std::clamp(wide, -2147483648.0, 2147483647.0));
}

bool FindFlag(const std::map<std::string, bool>& flags, const std::string& name)
{
    const auto it = flags.find(ToUpper(name));
    return it != flags.end() && it->second;
}

bool AnyFlag(const std::map<std::string, bool>& flags)
{
    return std::any_of(flags.begin(), flags.end(), [](const auto& entry) { return entry.second; });
}

} // namespace

Controls::Controls(MessageManager* givenLog, TimerManager* givenTimers, Config* givenConfiguration,
                   Window* givenWindow)
    : log(givenLog), timers(givenTimers), configuration(givenConfiguration), window(givenWindow)
{
    for (const KeyName& key : GetKeyNames())
    {
        held[key.name] = false;
        pressed[key.name] = false;
    }
    for (std::size_t i = 0; i < mouseButtonNames.size(); ++i)
        mouseButtonNames[i] = "MOUSE" + std::to_string(i + 1);
    win32::POINT position{0, 0};
    win32::GetCursorPos(&position);
    lastCursorX = position.x;
    lastCursorY = position.y;
}

Controls::~Controls()
{
    ShowCursor(true);
}

bool Controls::IsKeyDown(const std::string& name) const
{
    if (blocked)
        return false;
    return FindFlag(held, name) || FindFlag(pressed, name);
}

bool Controls::IsKeyPressed(const std::string& name) const
{
    if (blocked)
        return false;
    return FindFlag(pressed, name);
}

bool Controls::AnyKeyPressed() const
{
    return !blocked && AnyFlag(pressed);
}

bool Controls::AnyKeyDown() const
{
    return !blocked && (AnyFlag(held) || AnyFlag(pressed));
}

void Controls::BlockInput()
{
    blocked = true;
}

bool Controls::GetTypedChar(std::uint16_t& code, std::uint8_t& isCharacter) const
{
    if (blocked || !window->keyTyped)
        return false;
    code = window->keyCode;
    isCharacter = window->keyIsCharacter ? 1 : 0;
    return true;
}

Vector2 Controls::GetCursorPosition() const
{
    win32::POINT position{0, 0};
    win32::GetCursorPos(&position);
    win32::ScreenToClient(window->handle, &position);
    return Vector2(static_cast<float>(position.x), static_cast<float>(position.y));
}

void Controls::SetCursorPosition(const Vector2& point)
{
    win32::POINT position{ToPixel(point.x), ToPixel(point.y)};
    win32::ClientToScreen(window->handle, &position);
    win32::SetCursorPos(position.x, position.y);
}

void Controls::ShowCursor(bool visible)
{
    cursorVisible = visible;
    ApplyCursorVisibility();
}

void Controls::Update()
{
    win32::POINT position{0, 0};
    win32::GetCursorPos(&position);
    cursorMotion = Vector2(static_cast<float>(static_cast<std::int64_t>(position.x) - lastCursorX),
                           static_cast<float>(static_cast<std::int64_t>(position.y) - lastCursorY));
    lastCursorX = position.x;
    lastCursorY = position.y;

    if (!configuration->invertMouse)
    {
        cursorMotion.y = -cursorMotion.y;
        mouseMotion.y = -mouseMotion.y;
    }

    if (wheelLatch)
    {
        wheel = 0;
        wheelLatch = false;
    }
    else
    {
        wheelLatch = wheel != 0;
    }

    UpdateLock();
    ApplyCursorVisibility();
}

void Controls::EndFrame()
{
    for (auto& entry : pressed)
        entry.second = false;
    window->keyTyped = false;
}

bool Controls::IsAnythingActive() const
{
    return window->keyTyped || AnyFlag(held) || AnyFlag(pressed);
}

bool Controls::IsSystemKeyDown()
{
    for (std::int32_t virtualKey = 0; virtualKey < 256; ++virtualKey)
        if ((win32::GetAsyncKeyState(virtualKey) & 0x8000) != 0)
            return true;
    return false;
}

void Controls::UpdateLock()
{
    if (!blocked)
    {
        blockTime = 0.0f;
        return;
    }
    if (!IsAnythingActive())
    {
        blocked = false;
        blockTime = 0.0f;
        return;
    }
    blockTime += timers->frameTime;
    if (blockTime > kBlockFallbackSeconds && !IsSystemKeyDown())
    {
        blocked = false;
        blockTime = 0.0f;
    }
}

void Controls::ApplyCursorVisibility()
{
    std::int32_t counter = 0;
    if (cursorVisible)
    {
        do
            counter = win32::ShowCursor(win32::TRUE);
        while (counter < 0);
        if (counter > 10)
            win32::ShowCursor(win32::FALSE);
    }
    else
    {
        do
            counter = win32::ShowCursor(win32::FALSE);
        while (counter >= 0);
        if (counter < -10)
            win32::ShowCursor(win32::TRUE);
    }
}

} // namespace OrvaneEngine
