#include "engine/render/Texture2D_D3D7.h"

#include "engine/core/Color.h"
#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/AdapterInfo.h"
#include "engine/render/DeviceInfo_D3D7.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/TextureManager.h"
#include "platform/d3d7/DeviceTypes.h"
#include "platform/d3d7/Guids.h"
#include "platform/d3d7/IDirect3DDevice7.h"
#include "platform/d3d7/IDirectDraw7.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Results.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

namespace OrvaneEngine
{
namespace
{

constexpr const char* kCreateContext = "Texture2D_D3D7::CreateSurface";
// A lock that keeps answering "still drawing" is given up after this many tries.
constexpr int kLockAttempts = 1000;

struct FormatSearch
{
    std::uint32_t bits;
    bool alpha;
    bool found = false;
    d3d7::DDPIXELFORMAT format;
};

bool EnumTextureFormatsCallback(d3d7::DDPIXELFORMAT* format, void* context)
{
    auto* search = static_cast<FormatSearch*>(context);
    if ((format->flags & (d3d7::DDPF_LUMINANCE | d3d7::DDPF_BUMPDUDV | d3d7::DDPF_FOURCC)) ||
        format->alphaMask == 0xF000)
        return true;
    const bool alpha = (format->flags & d3d7::DDPF_ALPHAPIXELS) != 0;
    if (format->rgbBitCount != search->bits || alpha != search->alpha)
        return true;
    search->format = *format;
    search->found = true;
    return false;
}

// Where one 8-bit channel goes in a packed pixel of the format.
struct Channel
{
    std::uint32_t mask;
    std::uint32_t shift;
    std::uint32_t loss;

    explicit Channel(std::uint32_t mask_)
        : mask(mask_), shift(mask_ != 0 ? static_cast<std::uint32_t>(std::countr_zero(mask_)) : 0),
          loss(8 - std::min(8u, static_cast<std::uint32_t>(std::popcount(mask_))))
    {
    }

    std::uint32_t Pack(std::uint8_t value) const { return ((std::uint32_t{value} >> loss) << shift) & mask; }
};

} // namespace

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
    // A stage must not keep showing this picture, nor take a later texture
    // made at the same address for it.
    for (std::uint32_t stage = 0; stage < renderSystem->stageTexture.size(); ++stage)
    {
        if (renderSystem->stageTexture[stage] == this)
        {
            renderSystem->stageTexture[stage] = nullptr;
            renderSystem->UpdateTexture(stage);
        }
    }
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

void Texture2D_D3D7::MakeMipImage(const Image& source, Image& target, std::uint32_t targetWidth,
                                  std::uint32_t targetHeight) const
{
    const std::uint32_t bytes = source.GetBitsPerPixel() / 8;
    const std::uint32_t sourceWidth = source.GetWidth();
    const std::uint32_t sourceHeight = source.GetHeight();
    target.Create(log, targetWidth, targetHeight, source.GetBitsPerPixel());
    const std::uint8_t* in = source.GetPixels();
    std::uint8_t* out = target.GetPixels();
    for (std::uint32_t y = 0; y < targetHeight; ++y)
    {
        // A side of 1 pairs the pixel with itself; the clamp also keeps an
        // odd side inside the picture.
        const std::size_t row0 = std::min(2 * y, sourceHeight - 1);
        const std::size_t row1 = std::min(2 * y + 1, sourceHeight - 1);
        for (std::uint32_t x = 0; x < targetWidth; ++x)
        {
            const std::size_t column0 = std::min(2 * x, sourceWidth - 1);
            const std::size_t column1 = std::min(2 * x + 1, sourceWidth - 1);
            const std::uint8_t* a = in + (row0 * sourceWidth + column0) * bytes;
            const std::uint8_t* b = in + (row0 * sourceWidth + column1) * bytes;
            const std::uint8_t* c = in + (row1 * sourceWidth + column0) * bytes;
            const std::uint8_t* d = in + (row1 * sourceWidth + column1) * bytes;
            for (std::uint32_t i = 0; i < bytes; ++i)
                *out++ = static_cast<std::uint8_t>((a[i] + b[i] + c[i] + d[i] + 2) >> 2);
        }
    }
}

void Texture2D_D3D7::CreateSurface(Image* diffuse, Image* opacity)
{
    if (surface)
        return;
    memorySize = 0;
    if (!diffuse || diffuse->IsEmpty() || diffuse->GetWidth() == 0 || diffuse->GetHeight() == 0)
        return;
    width = diffuse->GetWidth();
    height = diffuse->GetHeight();
    d3d7::IDirectDraw7* directDraw = renderSystem->directDraw;
    d3d7::IDirect3DDevice7* device = renderSystem->d3dDevice;
    if (!directDraw || !device || !renderSystem->adapter || !renderSystem->adapter->device)
        return;

    // The fill reads the opacity picture with the diffuse one's size.
    std::unique_ptr<Image> fittedOpacity;
    if (opacity && (opacity->GetWidth() != width || opacity->GetHeight() != height))
    {
        fittedOpacity = std::make_unique<Image>();
        opacity->Resample(width, height, 1, *fittedOpacity);
        opacity = fittedOpacity.get();
    }

    const std::uint32_t depth = opacity ? 32 : (diffuse->GetBitsPerPixel() == 8 ? 24 : diffuse->GetBitsPerPixel());
    const std::uint32_t bytesPerPixel = depth / 8;

    d3d7::DDSURFACEDESC2 desc;
    desc.size = sizeof(desc);
    desc.flags = d3d7::DDSD_CAPS | d3d7::DDSD_WIDTH | d3d7::DDSD_HEIGHT | d3d7::DDSD_PIXELFORMAT;
    desc.width = width;
    desc.height = height;
    desc.caps.caps = d3d7::DDSCAPS_TEXTURE;
    if (mipMapping)
    {
        desc.flags |= d3d7::DDSD_MIPMAPCOUNT;
        desc.caps.caps |= d3d7::DDSCAPS_MIPMAP | d3d7::DDSCAPS_COMPLEX;
        desc.mipMapCount = static_cast<std::uint32_t>(std::bit_width(std::max(width, height)));
    }
    const auto* deviceInfo = static_cast<const DeviceInfo_D3D7*>(renderSystem->adapter->device);
    if (deviceInfo->guid == d3d7::IID_IDirect3DHALDevice || deviceInfo->guid == d3d7::IID_IDirect3DTnLHalDevice)
        desc.caps.caps2 |= d3d7::DDSCAPS2_TEXTUREMANAGE;
    else
        desc.caps.caps |= d3d7::DDSCAPS_SYSTEMMEMORY;

    FormatSearch search{32, depth == 32, false, d3d7::DDPIXELFORMAT{}};
    renderSystem->CheckResult(kCreateContext, device->EnumTextureFormats(EnumTextureFormatsCallback, &search));
    if (!search.found)
    {
        search.bits = 16;
        renderSystem->CheckResult(kCreateContext, device->EnumTextureFormats(EnumTextureFormatsCallback, &search));
    }
    if (!search.found)
        log->Fatal("Direct3D Subsystem (Texture2D_D3D7::CreateSurface): Failed to find texture format");
    desc.pixelFormat = search.format;

    const d3d7::HRESULT created = directDraw->CreateSurface(&desc, &surface, nullptr);
    renderSystem->CheckResult(kCreateContext, created);
    if (d3d7::FAILED(created))
    {
        surface = nullptr;
        return;
    }

    const bool showMipMaps = config && config->showMipMaps;
    // The level's pictures; owned here once they are no longer the given ones.
    std::unique_ptr<Image> ownedDiffuse;
    std::unique_ptr<Image> ownedOpacity;
    const Image* levelDiffuse = diffuse;
    const Image* levelOpacity = opacity;
    d3d7::IDirectDrawSurface7* level = surface;
    std::uint32_t levelWidth = width;
    std::uint32_t levelHeight = height;
    for (std::uint32_t index = 0;; ++index)
    {
        if (index > 0)
        {
            auto nextDiffuse = std::make_unique<Image>();
            MakeMipImage(*levelDiffuse, *nextDiffuse, levelWidth, levelHeight);
            std::unique_ptr<Image> nextOpacity;
            if (levelOpacity)
            {
                nextOpacity = std::make_unique<Image>();
                MakeMipImage(*levelOpacity, *nextOpacity, levelWidth, levelHeight);
            }
            if (index == 1 && showMipMaps)
            {
                nextDiffuse->Fill(Color(1.0f, 0.0f, 0.0f, 1.0f));
                if (nextOpacity)
                    nextOpacity->Fill(Color(1.0f, 1.0f, 1.0f, 1.0f));
            }
            ownedDiffuse = std::move(nextDiffuse);
            ownedOpacity = std::move(nextOpacity);
            levelDiffuse = ownedDiffuse.get();
            levelOpacity = ownedOpacity.get();
        }
        FillLevel(level, *levelDiffuse, levelOpacity);
        memorySize += levelWidth * levelHeight * bytesPerPixel;
        if (!mipMapping || (levelWidth == 1 && levelHeight == 1))
            break;
        levelWidth = std::max(levelWidth / 2, 1u);
        levelHeight = std::max(levelHeight / 2, 1u);
        d3d7::DDSCAPS2 caps;
        caps.caps = d3d7::DDSCAPS_TEXTURE | d3d7::DDSCAPS_MIPMAP;
        d3d7::IDirectDrawSurface7* next = nullptr;
        const d3d7::HRESULT fetched = level->GetAttachedSurface(&caps, &next);
        renderSystem->CheckResult(kCreateContext, fetched);
        if (d3d7::FAILED(fetched) || !next)
            break;
        // The chain holds the level; the fetch's own reference is not needed.
        next->Release();
        level = next;
    }
}

void Texture2D_D3D7::FillLevel(d3d7::IDirectDrawSurface7* level, const Image& diffuse, const Image* opacity)
{
    d3d7::DDSURFACEDESC2 levelDesc;
    levelDesc.size = sizeof(levelDesc);
    renderSystem->CheckResult(kCreateContext, level->GetSurfaceDesc(&levelDesc));

    d3d7::DDSURFACEDESC2 stagingDesc;
    stagingDesc.size = sizeof(stagingDesc);
    stagingDesc.flags = d3d7::DDSD_CAPS | d3d7::DDSD_WIDTH | d3d7::DDSD_HEIGHT | d3d7::DDSD_PIXELFORMAT;
    stagingDesc.width = diffuse.GetWidth();
    stagingDesc.height = diffuse.GetHeight();
    stagingDesc.pixelFormat = levelDesc.pixelFormat;
    stagingDesc.caps.caps = d3d7::DDSCAPS_TEXTURE | d3d7::DDSCAPS_SYSTEMMEMORY;
    d3d7::IDirectDrawSurface7* staging = nullptr;
    const d3d7::HRESULT created = renderSystem->directDraw->CreateSurface(&stagingDesc, &staging, nullptr);
    renderSystem->CheckResult(kCreateContext, created);
    if (d3d7::FAILED(created) || !staging)
        return;

    d3d7::DDSURFACEDESC2 locked;
    locked.size = sizeof(locked);
    d3d7::HRESULT result = d3d7::DDERR_WASSTILLDRAWING;
    for (int attempt = 0; attempt < kLockAttempts && result == d3d7::DDERR_WASSTILLDRAWING; ++attempt)
        result = staging->Lock(nullptr, &locked, d3d7::DDLOCK_WAIT | d3d7::DDLOCK_WRITEONLY, nullptr);
    renderSystem->CheckResult(kCreateContext, result);
    if (d3d7::FAILED(result) || !locked.surface)
    {
        staging->Release();
        return;
    }

    const d3d7::DDPIXELFORMAT& format = locked.pixelFormat;
    const Channel red(format.redMask);
    const Channel green(format.greenMask);
    const Channel blue(format.blueMask);
    const Channel alpha((format.flags & d3d7::DDPF_ALPHAPIXELS) ? format.alphaMask : 0);
    const bool wide = format.rgbBitCount == 32;
    const std::uint32_t diffuseBytes = diffuse.GetBitsPerPixel() / 8;
    const std::uint32_t opacityBytes = opacity ? opacity->GetBitsPerPixel() / 8 : 0;
    const std::uint32_t rows = std::min(diffuse.GetHeight(), locked.height);
    const std::uint32_t columns = std::min(diffuse.GetWidth(), locked.width);
    for (std::uint32_t row = 0; row < rows; ++row)
    {
        auto* out = static_cast<std::uint8_t*>(locked.surface) + static_cast<std::size_t>(row) * locked.pitch;
        const std::uint8_t* in = diffuse.GetPixels() + static_cast<std::size_t>(row) * diffuse.GetWidth() * diffuseBytes;
        const std::uint8_t* mask =
            opacity ? opacity->GetPixels() + static_cast<std::size_t>(row) * opacity->GetWidth() * opacityBytes
                    : nullptr;
        for (std::uint32_t column = 0; column < columns; ++column, in += diffuseBytes)
        {
            const std::uint8_t r = in[0];
            const std::uint8_t g = diffuseBytes >= 3 ? in[1] : in[0];
            const std::uint8_t b = diffuseBytes >= 3 ? in[2] : in[0];
            std::uint8_t a = diffuseBytes == 4 ? in[3] : 255;
            if (mask)
            {
                a = opacityBytes == 4 ? mask[3] : mask[0];
                mask += opacityBytes;
            }
            const std::uint32_t pixel = red.Pack(r) + green.Pack(g) + blue.Pack(b) + alpha.Pack(a);
            if (wide)
            {
                std::memcpy(out, &pixel, 4);
                out += 4;
            }
            else
            {
                const auto word = static_cast<std::uint16_t>(pixel);
                std::memcpy(out, &word, 2);
                out += 2;
            }
        }
    }
    renderSystem->CheckResult(kCreateContext, staging->Unlock(nullptr));
    renderSystem->CheckResult(kCreateContext, level->Blt(nullptr, staging, nullptr, d3d7::DDBLT_WAIT, nullptr));
    staging->Release();
}

void Texture2D_D3D7::ReleaseSurface()
{
    if (surface)
        surface->Release();
    surface = nullptr;
}

void Texture2D_D3D7::Restore()
{
    Image* diffuse = nullptr;
    Image* opacity = nullptr;
    bool loaded = false;
    if (!textureManager || !textureManager->GetImages(this, diffuse, opacity, loaded))
        return;
    // Pictures read again from their files are ours to delete; kept ones are the manager's.
    std::unique_ptr<Image> loadedDiffuse(loaded ? diffuse : nullptr);
    std::unique_ptr<Image> loadedOpacity(loaded ? opacity : nullptr);
    CreateSurface(diffuse, opacity);
}

d3d7::IDirectDrawSurface7* Texture2D_D3D7::GetSurface()
{
    if (!surface)
        Restore();
    return surface;
}

} // namespace OrvaneEngine
