#pragma once

#include "platform/d3d7/MachineDescription.h"
#include "platform/d3d7/Object.h"
#include "platform/d3d7/Types.h"

#include <atomic>
#include <cstdint>
#include <mutex>

namespace d3d7
{

class IDirect3D7;
class IDirectDrawSurface7;
class IDirectDrawClipper;

using EnumModesCallback = bool (*)(DDSURFACEDESC2* mode, void* context);

// The display of one adapter: its modes, the cooperative level with the
// program's window, and the factory of surfaces and clippers. Display modes
// are virtual: setting one never changes the real display; the picture is
// scaled into the window instead.
class IDirectDraw7 : public Object
{
public:
    explicit IDirectDraw7(const AdapterDescription& adapter);

    HRESULT QueryInterface(const GUID& iid, IDirect3D7** out);
    HRESULT GetCaps(DDCAPS* hardware, DDCAPS* emulation);
    HRESULT EnumDisplayModes(std::uint32_t flags, DDSURFACEDESC2* filter, void* context, EnumModesCallback callback);
    HRESULT SetCooperativeLevel(HWND window, std::uint32_t flags);
    HRESULT GetDisplayMode(DDSURFACEDESC2* out);
    HRESULT SetDisplayMode(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel,
                           std::uint32_t refreshRate, std::uint32_t flags);
    HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** out, void* outer);
    HRESULT CreateClipper(std::uint32_t flags, IDirectDrawClipper** out, void* outer);
    HRESULT TestCooperativeLevel();
    HRESULT RestoreAllSurfaces();
    HRESULT WaitForVerticalBlank(std::uint32_t flags, void* event);

    // For the stand-in's own objects.
    const AdapterDescription& GetAdapter() const { return adapter; }
    HWND GetWindow() const { return window; }
    bool IsExclusive() const { return (cooperativeFlags & DDSCL_EXCLUSIVE) != 0; }
    // The display's size and depth now: the set mode while exclusive, else the desktop.
    DisplayModeDescription GetCurrentMode() const;
    // The next present of a Blt waits for the vertical blank when asked to since the last one.
    bool TakeVerticalBlankWait();
    void ForgetPrimary(const IDirectDrawSurface7* surface);

private:
    ~IDirectDraw7() override;

    bool DesktopChanged() const;
    HRESULT CreatePrimary(const DDSURFACEDESC2& desc, IDirectDrawSurface7** out);
    // A texture surface with its mip levels, in memory only.
    HRESULT CreateTexture(const DDSURFACEDESC2& desc, IDirectDrawSurface7** out);

    AdapterDescription adapter;
    std::uint32_t creationDesktopWidth;
    std::uint32_t creationDesktopHeight;
    HWND window = 0;
    std::uint32_t cooperativeFlags = 0;
    bool modeSet = false;
    DisplayModeDescription displayMode;
    std::atomic<bool> waitForVerticalBlank{false};
    std::mutex primaryLock;
    IDirectDrawSurface7* primary = nullptr;
};

} // namespace d3d7
