#include "engine/render/VertexBuffer_D3D7.h"

#include <cstddef>
#include <cstring>

namespace OrvaneEngine
{
namespace
{
std::uint32_t ChannelToByte(float c)
{
    if (c >= 1.0f)
        return 255;
    // Also catches NaN, which reaches here from colour keys in data files.
    if (!(c > 0.0f))
        return 0;
    return static_cast<std::uint32_t>(c * 255.0f + 0.5f);
}

constexpr float ByteToChannel = 0.003921569f;
} // namespace

VertexBuffer_D3D7::VertexBuffer_D3D7(RenderSystem* renderSystem_, std::uint32_t usage, bool coloured,
                                     std::uint32_t vertexCount)
    : VertexBuffer(usage, coloured, vertexCount), renderSystem(renderSystem_)
{
    SetColor(Color(1.0f, 1.0f, 1.0f, 1.0f));
}

VertexBuffer_D3D7::VertexBuffer_D3D7(RenderSystem* renderSystem_, std::uint32_t usage, bool coloured,
                                     const VertexBuffer& other)
    : VertexBuffer(usage, coloured, other), renderSystem(renderSystem_)
{
    const std::uint32_t count = GetVertexCount();
    std::uint8_t* target = static_cast<std::uint8_t*>(Lock(0, count));
    const std::uint8_t* source = other.GetData();
    if (IsColored() == other.IsColored())
    {
        std::memcpy(target, source, static_cast<std::size_t>(GetStride()) * count);
        Unlock();
        return;
    }
    for (std::uint32_t i = 0; i < count; ++i)
    {
        Vertex plain;
        ColoredVertex colored;
        if (other.IsColored())
        {
            std::memcpy(&colored, source + static_cast<std::size_t>(i) * sizeof(ColoredVertex), sizeof colored);
            plain = Vertex{colored.position, colored.normal, colored.u, colored.v};
            std::memcpy(target + static_cast<std::size_t>(i) * sizeof(Vertex), &plain, sizeof plain);
        }
        else
        {
            std::memcpy(&plain, source + static_cast<std::size_t>(i) * sizeof(Vertex), sizeof plain);
            colored = ColoredVertex{plain.position, plain.normal, 0, plain.u, plain.v};
            std::memcpy(target + static_cast<std::size_t>(i) * sizeof(ColoredVertex), &colored, sizeof colored);
        }
    }
    Unlock();
    SetColor(Color(1.0f, 1.0f, 1.0f, 1.0f));
}

VertexBuffer_D3D7::VertexBuffer_D3D7(RenderSystem* renderSystem_, const VertexBuffer& other)
    : VertexBuffer(other), renderSystem(renderSystem_)
{
}

Color VertexBuffer_D3D7::UnpackColor(std::uint32_t packed) const
{
    return Color(static_cast<float>((packed >> 16) & 0xFF) * ByteToChannel,
                 static_cast<float>((packed >> 8) & 0xFF) * ByteToChannel,
                 static_cast<float>(packed & 0xFF) * ByteToChannel,
                 static_cast<float>(packed >> 24) * ByteToChannel);
}

std::uint32_t VertexBuffer_D3D7::PackColor(const Color& color) const
{
    return ChannelToByte(color.a) << 24 | ChannelToByte(color.r) << 16 | ChannelToByte(color.g) << 8 |
           ChannelToByte(color.b);
}

void* VertexBuffer_D3D7::Lock(std::uint32_t first, std::uint32_t count)
{
    return VertexBuffer::Lock(first, count);
}

void VertexBuffer_D3D7::Unlock()
{
    VertexBuffer::Unlock();
}

void VertexBuffer_D3D7::Apply()
{
    VertexBuffer::Apply();
}

} // namespace OrvaneEngine
