#include "engine/render/IndexBuffer_D3D7.h"

#include "engine/render/RenderSystem.h"

namespace OrvaneEngine
{
namespace
{
MessageManager* LogOf(RenderSystem* renderSystem)
{
    return renderSystem ? renderSystem->log : nullptr;
}
} // namespace

IndexBuffer_D3D7::IndexBuffer_D3D7(RenderSystem* renderSystem_, std::uint32_t usage, std::uint32_t count)
    : IndexBuffer(LogOf(renderSystem_), usage, count), renderSystem(renderSystem_)
{
}

IndexBuffer_D3D7::IndexBuffer_D3D7(RenderSystem* renderSystem_, std::uint32_t usage, const IndexBuffer& other)
    : IndexBuffer(LogOf(renderSystem_), usage, other), renderSystem(renderSystem_)
{
}

IndexBuffer_D3D7::IndexBuffer_D3D7(RenderSystem* renderSystem_, const IndexBuffer& other)
    : IndexBuffer(LogOf(renderSystem_), other.GetUsage(), other), renderSystem(renderSystem_)
{
}

} // namespace OrvaneEngine
