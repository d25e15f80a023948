#pragma once

#include "engine/core/Color.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/Vertex.h"

#include <cstdint>
#include <memory>

namespace OrvaneEngine
{

// Vertices in system memory, in the plain or the coloured layout; the device
// draws straight from this array. Made only through the render system.
class VertexBuffer
{
public:
    virtual ~VertexBuffer();
    VertexBuffer& operator=(const VertexBuffer&) = delete;

    virtual void Unlock();
    // Called just before each draw; the memory is already where the device reads it.
    virtual void Apply();
    virtual Color UnpackColor(std::uint32_t packed) const = 0;
    virtual std::uint32_t PackColor(const Color& color) const = 0;
    // The range must lie inside the buffer (checked in debug builds only).
    virtual void* Lock(std::uint32_t first, std::uint32_t count);

    Vertex* LockVertices(std::uint32_t first, std::uint32_t count);
    ColoredVertex* LockColoredVertices(std::uint32_t first, std::uint32_t count);
    // Coloured buffers only; a plain one is left alone.
    void SetColor(const Color& color);
    // White for a plain buffer.
    Color GetColor(std::uint32_t index) const;

    std::uint32_t GetUsage() const { return usage; }
    bool IsColored() const { return coloured != 0; }
    std::uint32_t GetStride() const { return stride; }
    std::uint32_t GetVertexCount() const { return vertexCount; }
    std::uint8_t* GetData() { return data.get(); }
    const std::uint8_t* GetData() const { return data.get(); }
    bool IsLocked() const { return locked != 0; }
    std::uint32_t GetLockFirst() const { return lockFirst; }
    std::uint32_t GetLockCount() const { return lockCount; }

    static constexpr std::uint32_t PlainStride = sizeof(Vertex);
    static constexpr std::uint32_t ColoredStride = sizeof(ColoredVertex);

protected:
    // A zero-filled array of the layout's stride times the count.
    VertexBuffer(std::uint32_t usage, bool coloured, std::uint32_t vertexCount);
    // The count of other in the new layout; the array starts zero-filled.
    VertexBuffer(std::uint32_t usage, bool coloured, const VertexBuffer& other);
    // Same usage, layout and count, and a byte copy of other's vertices.
    VertexBuffer(const VertexBuffer& other);

private:
    std::uint32_t usage;
    std::uint32_t coloured;
    std::uint32_t stride;
    std::uint32_t vertexCount;
    std::unique_ptr<std::uint8_t[]> data;
    std::uint32_t locked = 0;
    std::uint32_t lockFirst = 0;
    std::uint32_t lockCount = 0;
};

} // namespace OrvaneEngine
