#include "engine/render/Texture2D_D3D7.h"

#include "engine/core/Error.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Results.h"

namespace OrvaneEngine
{

Texture2D_D3D7::Texture2D_D3D7(MessageManager* log_, Config* config_, TextureManager* textureManager_,
                               RenderSystem_D3D7* renderSystem_, const std::string& key_, Image* diffuse,
                               Image* opacity, bool mipMapped)
    : Texture2D(log_, config_, textureManager_, key_, mipMapped), renderSystem(renderSystem_)
{
    CreateSurface(diffuse, opacity);
    renderSystem->AddTexture(this);
}

Texture2D_D3D7::~Texture2D_D3D7()
{
    ReleaseSurface();
    try
    {
        renderSystem->RemoveTexture(this);
    }
    catch (const FatalError&)
    {
        // Already in the log as the fatal entry; a destructor cannot throw it on.
    }
}

void Texture2D_D3D7::CreateSurface(Image* diffuse, Image*)
{
    if (surface)
        return;
    if (diffuse && diffuse->GetWidth() > 0 && diffuse->GetHeight() > 0)
    {
        width = diffuse->GetWidth();
        height = diffuse->GetHeight();
    }
    if (width == 0 || height == 0)
        width = height = 1;
    d3d7::IDirectDraw7* directDraw = renderSystem->directDraw;
    if (!directDraw)
        return;
    d3d7::DDSURFACEDESC2 desc;
    desc.size = sizeof(desc);
    desc.flags = d3d7::DDSD_CAPS | d3d7::DDSD_WIDTH | d3d7::DDSD_HEIGHT | d3d7::DDSD_PIXELFORMAT;
    desc.width = width;
    desc.height = height;
    desc.pixelFormat.size = sizeof(desc.pixelFormat);
    desc.pixelFormat.flags = d3d7::DDPF_RGB | d3d7::DDPF_ALPHAPIXELS;
    desc.pixelFormat.rgbBitCount = 32;
    desc.pixelFormat.redMask = 0x00FF0000;
    desc.pixelFormat.greenMask = 0x0000FF00;
    desc.pixelFormat.blueMask = 0x000000FF;
    desc.pixelFormat.alphaMask = 0xFF000000;
    desc.caps.caps = d3d7::DDSCAPS_TEXTURE | d3d7::DDSCAPS_SYSTEMMEMORY;
    const d3d7::HRESULT result = directDraw->CreateSurface(&desc, &surface, nullptr);
    renderSystem->CheckResult("Texture2D_D3D7::CreateSurface", result);
    if (d3d7::FAILED(result))
        surface = nullptr;
    memorySize = surface ? width * height * 4 : 0;
}

void Texture2D_D3D7::ReleaseSurface()
{
    if (surface)
        surface->Release();
    surface = nullptr;
}

void Texture2D_D3D7::Restore()
{
    CreateSurface(nullptr, nullptr);
}

d3d7::IDirectDrawSurface7* Texture2D_D3D7::GetSurface()
{
    if (!surface)
        Restore();
    return surface;
}

} // namespace OrvaneEngine
