#pragma once

#include "engine/render/Texture2D.h"

namespace d3d7
{
class IDirectDrawSurface7;
}

namespace OrvaneEngine
{

class Image;
class RenderSystem_D3D7;

// A texture whose picture lives in a DirectDraw surface. It registers with
// its render system for its whole life, so a device reset can release its
// surface before the device goes and build it again afterwards.
class Texture2D_D3D7 : public Texture2D
{
public:
    Texture2D_D3D7(MessageManager* log, Config* config, TextureManager* textureManager,
                   RenderSystem_D3D7* renderSystem, const std::string& key, Image* diffuse, Image* opacity,
                   bool mipMapped);
    ~Texture2D_D3D7() override;

    // Builds the surface for the picture, unless one exists.
    void CreateSurface(Image* diffuse, Image* opacity);
    void ReleaseSurface();
    // Builds the surface again after a reset released it.
    void Restore();
    // The surface, built again first when a reset released it.
    d3d7::IDirectDrawSurface7* GetSurface();

    RenderSystem_D3D7* renderSystem;
    d3d7::IDirectDrawSurface7* surface = nullptr;
};

} // namespace OrvaneEngine
