#pragma once

#include "engine/render/VertexBuffer.h"

namespace OrvaneEngine
{

class RenderSystem;

// The device's vertex buffer: system memory in the device's own colour packing.
class VertexBuffer_D3D7 : public VertexBuffer
{
public:
    // Every colour of a new coloured buffer is white.
    VertexBuffer_D3D7(RenderSystem* renderSystem, std::uint32_t usage, bool coloured, std::uint32_t vertexCount);
    // other's vertices in the new layout: a colour that the plain layout lacks becomes white.
    VertexBuffer_D3D7(RenderSystem* renderSystem, std::uint32_t usage, bool coloured, const VertexBuffer& other);
    // A copy of other, usage flags included.
    VertexBuffer_D3D7(RenderSystem* renderSystem, const VertexBuffer& other);

    Color UnpackColor(std::uint32_t packed) const override;
    std::uint32_t PackColor(const Color& color) const override;
    void* Lock(std::uint32_t first, std::uint32_t count) override;
    void Unlock() override;
    void Apply() override;

    RenderSystem* GetRenderSystem() const { return renderSystem; }

private:
    RenderSystem* renderSystem;
};

} // namespace OrvaneEngine
