#include "engine/render/RenderSystem_D3D7.h"

// The device side of the cached states, the material, drawing and the
// screen copy come with the drawing code; until then they send nothing.

namespace OrvaneEngine
{

void RenderSystem_D3D7::DrawIndexedPrimitive(bool, IndexBuffer*, VertexBuffer*, std::uint32_t)
{
}

void RenderSystem_D3D7::CaptureScreen(Image&)
{
}

void RenderSystem_D3D7::SetDefaultStates()
{
    RenderSystem::SetDefaultStates();
}

void RenderSystem_D3D7::SetMaterial(const Color&, const Color&, const Color&, const Color&, float)
{
}

void RenderSystem_D3D7::UpdateProjectionMatrix()
{
}

void RenderSystem_D3D7::UpdateViewMatrix()
{
}

void RenderSystem_D3D7::UpdateWorldMatrix()
{
}

void RenderSystem_D3D7::UpdateAmbientColor()
{
}

void RenderSystem_D3D7::UpdateAlphaBlend()
{
}

void RenderSystem_D3D7::UpdateBlend()
{
}

void RenderSystem_D3D7::UpdateTexture(std::uint32_t)
{
}

void RenderSystem_D3D7::UpdateMaxTextureAnisotropy(std::uint32_t)
{
}

void RenderSystem_D3D7::UpdateTextureFilter(std::uint32_t)
{
}

void RenderSystem_D3D7::UpdateTextureAdressU(std::uint32_t)
{
}

void RenderSystem_D3D7::UpdateTextureAdressV(std::uint32_t)
{
}

void RenderSystem_D3D7::UpdateTextureMatrix(std::uint32_t)
{
}

void RenderSystem_D3D7::UpdateCullMode()
{
}

void RenderSystem_D3D7::UpdateLighting()
{
}

void RenderSystem_D3D7::UpdateNormalizeNormals()
{
}

void RenderSystem_D3D7::UpdateZ()
{
}

void RenderSystem_D3D7::UpdateZWrite()
{
}

void RenderSystem_D3D7::UpdateStencil()
{
}

} // namespace OrvaneEngine
