#include "engine/render/RenderSystem_D3D7.h"

#include "engine/core/Config.h"
#include "engine/core/Window.h"
#include "platform/d3d7/IDirect3DDevice7.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Results.h"
#include "platform/win32/Cursor.h"
#include "platform/win32/WindowCalls.h"

namespace OrvaneEngine
{

void RenderSystem_D3D7::BeginScene()
{
    if (!d3dDevice)
        return;
    if (clearFlags != 0)
    {
        const std::uint32_t flags = ((clearFlags & 1) ? d3d7::D3DCLEAR_TARGET : 0) |
                                    ((clearFlags & 2) ? d3d7::D3DCLEAR_ZBUFFER : 0) |
                                    (stencilAvailable ? d3d7::D3DCLEAR_STENCIL : 0);
        if (flags != 0)
            CheckResult("RenderSystem_D3D7::BeginScene",
                        d3dDevice->Clear(0, nullptr, flags, ToDeviceColor(clearColor), 1.0f, 0));
    }
    d3d7::HRESULT result = d3dDevice->BeginScene();
    if (result == d3d7::DDERR_SURFACELOST)
    {
        CheckResult("RenderSystem_D3D7::BeginScene", directDraw->RestoreAllSurfaces());
        result = d3dDevice->BeginScene();
    }
    CheckResult("RenderSystem_D3D7::BeginScene", result);
}

void RenderSystem_D3D7::EndScene()
{
    if (!d3dDevice)
        return;
    d3d7::HRESULT result = d3dDevice->EndScene();
    if (result == d3d7::DDERR_SURFACELOST)
        result = directDraw->RestoreAllSurfaces();
    CheckResult("RenderSystem_D3D7::EndScene", result);
}

void RenderSystem_D3D7::SwapBuffers()
{
    if (!ready || !primarySurface || !backBuffer)
        return;
    d3d7::HRESULT result;
    if (window->fullscreen)
    {
        const std::uint32_t flags = d3d7::DDFLIP_WAIT | (videoSettings->verticalSync ? 0 : d3d7::DDFLIP_NOVSYNC);
        result = primarySurface->Flip(nullptr, flags);
    }
    else
    {
        win32::RECT client{0, 0, 0, 0};
        win32::GetClientRect(window->handle, &client);
        win32::POINT topLeft{client.left, client.top};
        win32::POINT bottomRight{client.right, client.bottom};
        win32::ClientToScreen(window->handle, &topLeft);
        win32::ClientToScreen(window->handle, &bottomRight);
        d3d7::RECT target{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
        if (videoSettings->verticalSync)
            directDraw->WaitForVerticalBlank(d3d7::DDWAITVB_BLOCKBEGIN, nullptr);
        result = primarySurface->Blt(&target, backBuffer, nullptr, d3d7::DDBLT_WAIT, nullptr);
    }
    if (result == d3d7::DDERR_SURFACELOST)
        CheckResult("RenderSystem_D3D7::SwapBuffers", directDraw->RestoreAllSurfaces());
}

} // namespace OrvaneEngine
