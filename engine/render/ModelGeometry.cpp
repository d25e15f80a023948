#include "engine/render/Model.h"

#include "engine/core/Plane.h"
#include "engine/core/PointInTriangle.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>
#include <cstring>

namespace OrvaneEngine
{
namespace
{

constexpr float NoHit = 100000.0f;

std::uint32_t IndexAt(const IndexBuffer& buffer, std::uint32_t slot)
{
    const std::uint8_t* data = buffer.GetData();
    if (buffer.Is32Bit())
    {
        std::uint32_t value = 0;
        std::memcpy(&value, data + 4 * static_cast<std::size_t>(slot), 4);
        return value;
    }
    std::uint16_t value = 0;
    std::memcpy(&value, data + 2 * static_cast<std::size_t>(slot), 2);
    return value;
}

Vector3 PositionAt(const VertexBuffer& buffer, std::uint32_t vertex)
{
    Vector3 position;
    std::memcpy(&position, buffer.GetData() + static_cast<std::size_t>(buffer.GetStride()) * vertex, sizeof(position));
    return position;
}

} // namespace

void Model::SetFlags(std::uint32_t bits)
{
    flags |= bits;
    if (bits & FlagOpaque)
        flags &= ~FlagBlended;
    else if (bits & FlagBlended)
        flags &= ~FlagOpaque;
    if (bits & FlagCullClockwise)
        flags &= ~(FlagTwoPass | FlagCullCounterClockwise);
    else if (bits & FlagCullCounterClockwise)
        flags &= ~(FlagTwoPass | FlagCullClockwise);
    else if (bits & FlagTwoPass)
        flags &= ~(FlagCullClockwise | FlagCullCounterClockwise);
}

void Model::ClearFlags(std::uint32_t bits)
{
    if (bits & (FlagOpaque | FlagBlended))
        flags |= FlagOpaque | FlagBlended;
    flags &= ~bits;
}

void Model::SetColor(const Color& color)
{
    vertexBuffer->SetColor(color);
}

void Model::GetWorldMatrix(Matrix4& out) const
{
    out = worldMatrix;
}

void Model::UpdatePrimitiveCount()
{
    const std::uint32_t used = indexBuffer->GetIndexCount();
    if (strip)
        primitiveCount = used < 3 ? 0 : used - 2; // fewer than three indices make no triangle
    else
        primitiveCount = used / 3;
}

void Model::ComputeBoundingBox(BoundingVolume& volume)
{
    Vector3 min(NoHit, NoHit, NoHit);
    Vector3 max(-NoHit, -NoHit, -NoHit);
    const std::uint32_t used = indexBuffer->GetIndexCount();
    const std::uint32_t vertexCount = vertexBuffer->GetVertexCount();
    for (std::uint32_t slot = 0; slot < used; ++slot)
    {
        const std::uint32_t index = IndexAt(*indexBuffer, slot);
        // A creator's index beyond the vertices names nothing.
        if (index >= vertexCount)
            continue;
        const Vector3 p = PositionAt(*vertexBuffer, index);
        min = Vector3(std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z));
        max = Vector3(std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z));
    }
    volume.SetBox(min, max);
}

bool Model::Pick(const Ray& ray, float* distance)
{
    if (!boundingVolume.IntersectsSegment(ray))
        return false;
    Matrix4 inverse = worldMatrix;
    inverse.Invert();
    Ray local = inverse.TransformRay(ray);
    local.direction.SetLength(1.0f);

    float best = NoHit;
    bool hit = false;
    const std::uint32_t used = indexBuffer->GetIndexCount();
    const std::uint32_t vertexCount = vertexBuffer->GetVertexCount();
    for (std::uint32_t primitive = 0; primitive < primitiveCount; ++primitive)
    {
        const std::uint32_t first = strip ? primitive : 3 * primitive;
        if (static_cast<std::uint64_t>(first) + 2 >= used)
            break;
        const std::uint32_t ia = IndexAt(*indexBuffer, first);
        const std::uint32_t ib = IndexAt(*indexBuffer, first + 1);
        const std::uint32_t ic = IndexAt(*indexBuffer, first + 2);
        if (ia >= vertexCount || ib >= vertexCount || ic >= vertexCount)
            continue;
        const Vector3 a = PositionAt(*vertexBuffer, ia);
        const Vector3 b = PositionAt(*vertexBuffer, ib);
        const Vector3 c = PositionAt(*vertexBuffer, ic);
        Plane plane;
        plane.SetFromPoints(a, b, c);
        float t = 0.0f;
        if (plane.IntersectRay(local, t) && PointInTriangle(plane, a, b, c, local.origin + local.direction * t))
        {
            best = std::min(best, t);
            hit = true;
            if (distance == nullptr)
                break;
        }
    }
    if (distance != nullptr)
        *distance = best;
    return hit;
}

} // namespace OrvaneEngine
