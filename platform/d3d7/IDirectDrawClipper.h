#pragma once

#include "platform/d3d7/Object.h"
#include "platform/d3d7/Types.h"

#include <atomic>
#include <cstdint>

namespace d3d7
{

class IDirectDraw7;

// Keeps a windowed present inside its window: here it names the window a
// present onto the primary surface goes to.
class IDirectDrawClipper : public Object
{
public:
    explicit IDirectDrawClipper(IDirectDraw7* owner);

    HRESULT SetHWnd(std::uint32_t flags, HWND window);

    HWND GetWindow() const { return window; }

private:
    ~IDirectDrawClipper() override;

    IDirectDraw7* owner;
    std::atomic<HWND> window{0};
};

} // namespace d3d7
