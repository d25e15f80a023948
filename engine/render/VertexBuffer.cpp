#include "engine/render/VertexBuffer.h"

#include <cassert>
#include <cstddef>
#include <cstring>

namespace OrvaneEngine
{
namespace
{
std::unique_ptr<std::uint8_t[]> AllocateZeroed(std::uint32_t stride, std::uint32_t count)
{
    // Value-initialised: sprite groups never write normals, yet the device reads them.
    return std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(stride) * count);
}
} // namespace

VertexBuffer::VertexBuffer(std::uint32_t usage_, bool coloured_, std::uint32_t vertexCount_)
    : usage(usage_), coloured(coloured_ ? 1u : 0u), stride(coloured_ ? ColoredStride : PlainStride),
      vertexCount(vertexCount_), data(AllocateZeroed(stride, vertexCount))
{
}

VertexBuffer::VertexBuffer(std::uint32_t usage_, bool coloured_, const VertexBuffer& other)
    : VertexBuffer(usage_, coloured_, other.vertexCount)
{
}

VertexBuffer::VertexBuffer(const VertexBuffer& other)
    : usage(other.usage), coloured(other.coloured), stride(other.stride), vertexCount(other.vertexCount),
      data(AllocateZeroed(stride, vertexCount))
{
    std::memcpy(data.get(), other.data.get(), static_cast<std::size_t>(stride) * vertexCount);
}

VertexBuffer::~VertexBuffer() = default;

void VertexBuffer::Unlock()
{
    locked = 0;
}

void VertexBuffer::Apply()
{
}

void* VertexBuffer::Lock(std::uint32_t first, std::uint32_t count)
{
    assert(static_cast<std::uint64_t>(first) + count <= vertexCount);
    locked = 1;
    lockFirst = first;
    lockCount = count;
    return data.get() + static_cast<std::size_t>(stride) * first;
}

Vertex* VertexBuffer::LockVertices(std::uint32_t first, std::uint32_t count)
{
    return static_cast<Vertex*>(Lock(first, count));
}

ColoredVertex* VertexBuffer::LockColoredVertices(std::uint32_t first, std::uint32_t count)
{
    return static_cast<ColoredVertex*>(Lock(first, count));
}

void VertexBuffer::SetColor(const Color& color)
{
    if (!coloured)
        return;
    const std::uint32_t packed = PackColor(color);
    ColoredVertex* vertices = LockColoredVertices(0, vertexCount);
    for (std::uint32_t i = 0; i < vertexCount; ++i)
        vertices[i].color = packed;
    Unlock();
}

Color VertexBuffer::GetColor(std::uint32_t index) const
{
    if (!coloured)
        return Color(1.0f, 1.0f, 1.0f, 1.0f);
    assert(index < vertexCount);
    const auto* vertices = reinterpret_cast<const ColoredVertex*>(data.get());
    return UnpackColor(vertices[index].color);
}

} // namespace OrvaneEngine
