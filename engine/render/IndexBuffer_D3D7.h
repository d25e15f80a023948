#pragma once

#include "engine/render/IndexBuffer.h"

namespace OrvaneEngine
{

class RenderSystem;

// The device's index buffer; it reports through its render system's log.
class IndexBuffer_D3D7 : public IndexBuffer
{
public:
    IndexBuffer_D3D7(RenderSystem* renderSystem, std::uint32_t usage, std::uint32_t count);
    // other's indices and counts, with new usage flags.
    IndexBuffer_D3D7(RenderSystem* renderSystem, std::uint32_t usage, const IndexBuffer& other);
    // A copy of other, usage flags included.
    IndexBuffer_D3D7(RenderSystem* renderSystem, const IndexBuffer& other);

    RenderSystem* GetRenderSystem() const { return renderSystem; }

private:
    RenderSystem* renderSystem;
};

} // namespace OrvaneEngine
