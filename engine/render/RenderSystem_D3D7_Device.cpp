#include "engine/render/AdapterInfo_D3D7.h"
#include "engine/render/DeviceInfo_D3D7.h"
#include "engine/render/ModeInfo_D3D7.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/Texture2D_D3D7.h"

#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/Window.h"
#include "platform/d3d7/DirectDraw.h"
#include "platform/d3d7/Guids.h"
#include "platform/d3d7/IDirect3D7.h"
#include "platform/d3d7/IDirect3DDevice7.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/IDirectDrawClipper.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Results.h"

namespace OrvaneEngine
{
namespace
{

const std::string kPoints(56, '.');

struct ZSearch
{
    std::uint32_t depth;
    std::uint32_t stencil;
    bool found = false;
    d3d7::DDPIXELFORMAT format;
};

bool EnumZBufferFormatsCallback(d3d7::DDPIXELFORMAT* format, void* context)
{
    auto* search = static_cast<ZSearch*>(context);
    if (format->zBufferBitDepth == search->depth && format->stencilBitDepth >= search->stencil)
    {
        search->format = *format;
        search->found = true;
        return false;
    }
    return true;
}

void Require(d3d7::HRESULT result, const char* text)
{
    if (d3d7::FAILED(result))
        throw Error(text);
}

} // namespace

void RenderSystem_D3D7::CreateDevice(bool logCapabilities)
{
    if (!adapter)
        SelectDevice(false);
    if (InitDirect3D(logCapabilities))
        return;
    if (static_cast<DeviceInfo_D3D7*>(adapter->device)->hardware)
    {
        log->Warning("......RenderSystem_D3D7: Switching to the software rasterizer");
        SelectDevice(true);
        CreateDevice(true);
        return;
    }
    log->Fatal("RenderSystem_D3D7: Failed to create Direct3D device", platformReason);
}

bool RenderSystem_D3D7::InitDirect3D(bool logCapabilities)
{
    try
    {
        SelectVideoMode();
        const auto* adapterInfo = static_cast<AdapterInfo_D3D7*>(adapter);
        auto* device = static_cast<DeviceInfo_D3D7*>(adapter->device);

        log->Message("...Creating DirectDraw...");
        Require(d3d7::DirectDrawCreateEx(adapterInfo->guidPointer, &directDraw, d3d7::IID_IDirectDraw7, nullptr),
                "Failed to create DirectDraw");

        log->Message("......Setting cooperative level...");
        const std::uint32_t level =
            (device->fullscreen ? d3d7::DDSCL_FULLSCREEN | d3d7::DDSCL_ALLOWREBOOT | d3d7::DDSCL_EXCLUSIVE
                                : d3d7::DDSCL_NORMAL) |
            d3d7::DDSCL_FPUSETUP;
        Require(directDraw->SetCooperativeLevel(window->handle, level), "Failed to set DirectDraw cooperative level");

        d3d7::DDSURFACEDESC2 display;
        display.size = sizeof(display);
        const d3d7::HRESULT displayResult = directDraw->GetDisplayMode(&display);
        if (d3d7::FAILED(displayResult) || display.pixelFormat.rgbBitCount <= 8)
            throw Error("Invalid DirectDraw display mode");

        CreateScreenBuffers();

        backBufferDesc = d3d7::DDSURFACEDESC2{};
        backBufferDesc.size = sizeof(backBufferDesc);
        CheckResult("RenderSystem_D3D7::InitDirect3D", backBuffer->GetSurfaceDesc(&backBufferDesc));

        log->Message("...Creating Direct3D...");
        Require(directDraw->QueryInterface(d3d7::IID_IDirect3D7, &direct3D), "Failed to create Direct3D");
        log->Message("...Creating Direct3D device...");
        Require(direct3D->CreateDevice(*device->guidPointer, backBuffer, &d3dDevice),
                "Failed to create Direct3D device");

        log->Message("......Setting viewport...");
        d3d7::D3DVIEWPORT7 viewport;
        viewport.x = 0;
        viewport.y = 0;
        viewport.width = device->mode->width;
        viewport.height = device->mode->height;
        viewport.minZ = 0.0f;
        viewport.maxZ = 1.0f;
        Require(d3dDevice->SetViewport(&viewport), "Failed to set viewport");

        log->Message("......Creating Z Buffer...");
        CreateZBuffer();

        LogCapabilities(logCapabilities);
    }
    catch (const FatalError&)
    {
        throw;
    }
    catch (const Error& error)
    {
        Release();
        platformReason = log->LogPlatformReason();
        log->Error("RenderSystem_D3D7: " + error.GetText());
        return false;
    }
    return true;
}

void RenderSystem_D3D7::CreateScreenBuffers()
{
    const auto* adapterInfo = static_cast<AdapterInfo_D3D7*>(adapter);
    const DeviceInfo* device = adapter->device;
    const auto* mode = static_cast<const ModeInfo_D3D7*>(device->mode);

    log->Message("......Creating screen buffers...");
    window->SetMode(mode->width, mode->height, device->fullscreen, adapterInfo->desktopMode.pelsWidth,
                    adapterInfo->desktopMode.pelsHeight);
    if (device->fullscreen)
        Require(directDraw->SetDisplayMode(mode->width, mode->height, mode->surfaceDesc->pixelFormat.rgbBitCount,
                                           mode->surfaceDesc->refreshRate, 0),
                "Failed to set display mode");

    d3d7::DDSURFACEDESC2 primaryDesc;
    primaryDesc.size = sizeof(primaryDesc);
    primaryDesc.flags = d3d7::DDSD_CAPS;
    primaryDesc.caps.caps = d3d7::DDSCAPS_PRIMARYSURFACE;
    if (device->fullscreen)
    {
        primaryDesc.flags |= d3d7::DDSD_BACKBUFFERCOUNT;
        primaryDesc.backBufferCount = 1;
        primaryDesc.caps.caps |= d3d7::DDSCAPS_FLIP | d3d7::DDSCAPS_COMPLEX | d3d7::DDSCAPS_3DDEVICE;
    }
    Require(directDraw->CreateSurface(&primaryDesc, &primarySurface, nullptr), "Failed to create primary surface");

    if (device->fullscreen)
    {
        d3d7::DDSCAPS2 caps;
        caps.caps = d3d7::DDSCAPS_BACKBUFFER;
        Require(primarySurface->GetAttachedSurface(&caps, &backBuffer), "Failed to create back buffer");
        return;
    }
    d3d7::IDirectDrawClipper* clipper = nullptr;
    Require(directDraw->CreateClipper(0, &clipper, nullptr), "Failed to create clipper");
    CheckResult("RenderSystem_D3D7::InitDirect3D", clipper->SetHWnd(0, window->handle));
    CheckResult("RenderSystem_D3D7::InitDirect3D", primarySurface->SetClipper(clipper));
    clipper->Release();

    d3d7::DDSURFACEDESC2 backDesc;
    backDesc.size = sizeof(backDesc);
    backDesc.flags = d3d7::DDSD_CAPS | d3d7::DDSD_WIDTH | d3d7::DDSD_HEIGHT;
    backDesc.caps.caps = d3d7::DDSCAPS_OFFSCREENPLAIN | d3d7::DDSCAPS_3DDEVICE;
    backDesc.width = mode->width;
    backDesc.height = mode->height;
    Require(directDraw->CreateSurface(&backDesc, &backBuffer, nullptr), "Failed to create back buffer");
}

void RenderSystem_D3D7::CreateZBuffer()
{
    const auto* device = static_cast<DeviceInfo_D3D7*>(adapter->device);
    if (device->desc.triCaps.rasterCaps & d3d7::D3DPRASTERCAPS_ZBUFFERLESSHSR)
        return;
    const bool hardware = device->guid == d3d7::IID_IDirect3DHALDevice ||
                          device->guid == d3d7::IID_IDirect3DTnLHalDevice;
    d3d7::DDSURFACEDESC2 zDesc = backBufferDesc;
    zDesc.flags = d3d7::DDSD_CAPS | d3d7::DDSD_WIDTH | d3d7::DDSD_HEIGHT | d3d7::DDSD_PIXELFORMAT;
    zDesc.caps.caps = d3d7::DDSCAPS_ZBUFFER | (hardware ? d3d7::DDSCAPS_VIDEOMEMORY : d3d7::DDSCAPS_SYSTEMMEMORY);

    bool stencil = stencilBuffer;
    ZSearch search{backBufferDesc.pixelFormat.rgbBitCount, stencil ? 1u : 0u, false, d3d7::DDPIXELFORMAT{}};
    const auto tryFormats = [&](std::uint32_t depth) {
        search.depth = depth;
        search.stencil = stencil ? 1u : 0u;
        direct3D->EnumZBufferFormats(*device->guidPointer, EnumZBufferFormatsCallback, &search);
    };
    tryFormats(backBufferDesc.pixelFormat.rgbBitCount);
    if (!search.found)
        tryFormats(16);
    if (!search.found && stencil)
    {
        stencil = false;
        tryFormats(16);
        if (!search.found)
            tryFormats(16);
    }
    if (!search.found)
        throw Error("Failed to create Z Buffer");
    stencilAvailable = stencil;

    zDesc.pixelFormat = search.format;
    Require(directDraw->CreateSurface(&zDesc, &zBuffer, nullptr), "Failed to create Z Buffer");
    Require(backBuffer->AddAttachedSurface(zBuffer), "Failed to create Z Buffer");
    Require(d3dDevice->SetRenderTarget(backBuffer, 0), "Failed to set render target");
}

void RenderSystem_D3D7::LogCapabilities(bool logCapabilities)
{
    const auto* device = static_cast<DeviceInfo_D3D7*>(adapter->device);
    if (logCapabilities)
    {
        log->Message(kPoints);
        log->Message("......Capabilities:");
    }
    textureStageCount = device->desc.maxSimultaneousTextures;
    maxTextureWidth = device->desc.maxTextureWidth;
    maxTextureHeight = device->desc.maxTextureHeight;
    maxAnisotropy = device->desc.maxAnisotropy;
    if (logCapabilities)
    {
        log->Message(".........Maximal texture units: " + UIntToString(textureStageCount, 0));
        log->Message(".........Maximal texture size: " + UIntToString(maxTextureWidth, 0) + "x" +
                     UIntToString(maxTextureHeight, 0));
        log->Message(".........Maximal texture anisotropy: " + UIntToString(maxAnisotropy, 0));
    }
}

void RenderSystem_D3D7::Release()
{
    if (directDraw)
        directDraw->SetCooperativeLevel(window->handle, d3d7::DDSCL_NORMAL);
    log->Message("...Releasing device...");
    std::uint32_t deviceReferences = 0;
    if (d3dDevice)
        deviceReferences = d3dDevice->Release();
    d3dDevice = nullptr;
    log->Message("...Releasing surfaces...");
    if (backBuffer)
        backBuffer->Release();
    backBuffer = nullptr;
    if (zBuffer)
        zBuffer->Release();
    zBuffer = nullptr;
    if (primarySurface)
        primarySurface->Release();
    primarySurface = nullptr;
    log->Message("...Releasing Direct3D...");
    if (direct3D)
        direct3D->Release();
    direct3D = nullptr;
    log->Message("...Releasing DirectDraw...");
    std::uint32_t directDrawReferences = 0;
    if (directDraw)
        directDrawReferences = directDraw->Release();
    directDraw = nullptr;
    if (deviceReferences != 0)
        log->Fatal("RenderSystem_D3D7: device object is still referenced");
    if (directDrawReferences != 0)
        log->Fatal("RenderSystem_D3D7: DirectDraw object is still referenced");
}

void RenderSystem_D3D7::Refresh()
{
    RenderSystem::Refresh();
    if (!directDraw)
    {
        ready = false;
        return;
    }
    const d3d7::HRESULT result = directDraw->TestCooperativeLevel();
    if (d3d7::SUCCEEDED(result))
    {
        if (ready)
            return;
        const d3d7::HRESULT restored = directDraw->RestoreAllSurfaces();
        CheckResult("RenderSystem_D3D7::Refresh", restored);
        if (d3d7::FAILED(restored))
        {
            resetNeeded = true;
            reloadTextures = true;
        }
        else
        {
            ready = true;
        }
        return;
    }
    ready = false;
    if (result == d3d7::DDERR_WRONGMODE && !videoSettings->fullscreen)
    {
        resetNeeded = true;
        reloadTextures = true;
    }
}

void RenderSystem_D3D7::CheckVideoMode()
{
    RenderSystem::CheckVideoMode();
    reloadTextures = true;
}

void RenderSystem_D3D7::Reset(std::uint32_t mask)
{
    if (mask & 1)
    {
        log->Message("\nReseting Direct3D device:");
        if (reloadTextures)
        {
            std::lock_guard guard(texturesLock);
            for (Texture2D_D3D7* texture : textures)
                texture->ReleaseSurface();
        }
        log->Message(kPoints);
        Release();
        log->Message(kPoints);
        CreateDevice(false);
        if (stageTexture.size() != textureStageCount)
            ResizeTextureStages(textureStageCount);
        log->Message(kPoints);
        SetDefaultStates();
        // A new device knows no light: the light manager sends them all again.
        lightsLost = true;
    }
    if ((mask & 2) && reloadTextures)
    {
        std::lock_guard guard(texturesLock);
        for (Texture2D_D3D7* texture : textures)
            texture->Restore();
    }
    RenderSystem::Reset(mask);
}

} // namespace OrvaneEngine
