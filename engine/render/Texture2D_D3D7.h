#pragma once

#include "engine/render/Texture2D.h"

#include <cstdint>

namespace d3d7
{
class IDirectDrawSurface7;
}

namespace OrvaneEngine
{

class Image;
class RenderSystem_D3D7;

// A texture whose picture lives in a DirectDraw surface with its mip levels.
// It registers with its render system for its whole life, so a device reset
// can release its surface before the device goes and build it again
// afterwards. Building the surface touches memory only, so the loading
// worker may create textures while the main thread presents.
class Texture2D_D3D7 : public Texture2D
{
public:
    Texture2D_D3D7(MessageManager* log, Config* config, TextureManager* textureManager,
                   RenderSystem_D3D7* renderSystem, const std::string& key, Image* diffuse, Image* opacity,
                   bool mipMapped);
    ~Texture2D_D3D7() override;

    // Builds and fills the surface for the picture, unless one exists. The
    // opacity picture becomes the alpha; one of another size is fitted to
    // the diffuse picture first.
    void CreateSurface(Image* diffuse, Image* opacity);
    void ReleaseSurface();
    // Builds the surface again from the texture manager's pictures.
    void Restore();
    // The surface, built again first when a reset released it.
    d3d7::IDirectDrawSurface7* GetSurface();

    // target becomes source reduced to width x height by 2 x 2 averages.
    void MakeMipImage(const Image& source, Image& target, std::uint32_t targetWidth, std::uint32_t targetHeight) const;

    RenderSystem_D3D7* renderSystem;
    d3d7::IDirectDrawSurface7* surface = nullptr;

private:
    // Fills one level through a system-memory staging surface. A staging
    // surface that cannot be made or locked is reported and the level stays
    // as it is.
    void FillLevel(d3d7::IDirectDrawSurface7* level, const Image& diffuse, const Image* opacity);
};

} // namespace OrvaneEngine
