#include "content/ModelMeshes.h"

#include <algorithm>
#include <stdexcept>

namespace corvellan::content
{
namespace
{

ModelFileVertex MakeVertex(const Float3& position, const Float3& normal, float u, float v)
{
    ModelFileVertex vertex;
    vertex.u = u;
    vertex.v = v;
    vertex.normal = normal;
    vertex.position = position;
    return vertex;
}

ModelFileBox BoxAround(const std::vector<ModelFileVertex>& vertices)
{
    ModelFileBox box;
    if (vertices.empty())
        return box;
    box.min = box.max = vertices.front().position;
    for (const ModelFileVertex& vertex : vertices)
    {
        for (std::size_t axis = 0; axis < 3; ++axis)
        {
            box.min[axis] = std::min(box.min[axis], vertex.position[axis]);
            box.max[axis] = std::max(box.max[axis], vertex.position[axis]);
        }
    }
    return box;
}

// Four corners in counter-clockwise order seen from the normal's side.
void AddFace(ModelFileRecord& record, const Float3 (&corners)[4], const Float3& normal)
{
    const auto first = static_cast<std::uint32_t>(record.vertices.size());
    const float uv[4][2] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
    for (int corner = 0; corner < 4; ++corner)
        record.vertices.push_back(MakeVertex(corners[corner], normal, uv[corner][0], uv[corner][1]));
    for (std::uint32_t offset : {0u, 1u, 2u, 2u, 3u, 0u})
        record.indices.push_back(first + offset);
}

ModelFileRecord StaticList()
{
    ModelFileRecord record;
    record.flags = 0x1 | 0x8;
    return record;
}

} // namespace

ModelFileRecord MakeQuadMesh(float x0, float y0, float x1, float y1, float z)
{
    ModelFileRecord record = StaticList();
    AddFace(record, {{x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z}}, {0.0f, 0.0f, 1.0f});
    record.boxes = {BoxAround(record.vertices)};
    return record;
}

ModelFileRecord MakeBoxMesh(const Float3& a, const Float3& b)
{
    ModelFileRecord record = StaticList();
    AddFace(record, {{a[0], a[1], a[2]}, {a[0], b[1], a[2]}, {b[0], b[1], a[2]}, {b[0], a[1], a[2]}}, {0, 0, -1});
    AddFace(record, {{a[0], a[1], b[2]}, {b[0], a[1], b[2]}, {b[0], b[1], b[2]}, {a[0], b[1], b[2]}}, {0, 0, 1});
    AddFace(record, {{a[0], a[1], a[2]}, {b[0], a[1], a[2]}, {b[0], a[1], b[2]}, {a[0], a[1], b[2]}}, {0, -1, 0});
    AddFace(record, {{b[0], a[1], a[2]}, {b[0], b[1], a[2]}, {b[0], b[1], b[2]}, {b[0], a[1], b[2]}}, {1, 0, 0});
    AddFace(record, {{b[0], b[1], a[2]}, {a[0], b[1], a[2]}, {a[0], b[1], b[2]}, {b[0], b[1], b[2]}}, {0, 1, 0});
    AddFace(record, {{a[0], b[1], a[2]}, {a[0], a[1], a[2]}, {a[0], a[1], b[2]}, {a[0], b[1], b[2]}}, {-1, 0, 0});
    record.boxes = {BoxAround(record.vertices)};
    return record;
}

ModelFileRecord MakeGridMesh(std::uint32_t columns, std::uint32_t rows, float x0, float y0, float x1, float y1)
{
    if (columns == 0 || rows == 0)
        throw std::invalid_argument("a grid needs at least one cell");
    ModelFileRecord record = StaticList();
    for (std::uint32_t row = 0; row <= rows; ++row)
    {
        for (std::uint32_t column = 0; column <= columns; ++column)
        {
            const float u = static_cast<float>(column) / static_cast<float>(columns);
            const float v = static_cast<float>(row) / static_cast<float>(rows);
            record.vertices.push_back(MakeVertex({x0 + (x1 - x0) * u, y0 + (y1 - y0) * v, 0.0f}, {0, 0, 1}, u, v));
        }
    }
    for (std::uint32_t row = 0; row < rows; ++row)
    {
        for (std::uint32_t column = 0; column < columns; ++column)
        {
            const std::uint32_t a = row * (columns + 1) + column;
            const std::uint32_t b = a + 1;
            const std::uint32_t c = b + columns + 1;
            const std::uint32_t d = a + columns + 1;
            for (std::uint32_t index : {a, b, c, c, d, a})
                record.indices.push_back(index);
        }
    }
    record.boxes = {BoxAround(record.vertices)};
    return record;
}

ModelFileRecord MakeMorphModel(const std::vector<ModelFileRecord>& frames, float speed)
{
    if (frames.empty())
        throw std::invalid_argument("a morph model needs a frame");
    ModelFileRecord record;
    record.flags = 0x2 | 0x8;
    record.frameCount = static_cast<std::uint32_t>(frames.size());
    record.speed = speed;
    record.indices = frames.front().indices;
    for (const ModelFileRecord& frame : frames)
    {
        if (frame.vertices.size() != frames.front().vertices.size())
            throw std::invalid_argument("morph frames differ in their vertex counts");
        record.vertices.insert(record.vertices.end(), frame.vertices.begin(), frame.vertices.end());
        record.boxes.push_back(BoxAround(frame.vertices));
    }
    return record;
}

ModelFileRecord MakeOneBoneModel(const ModelFileRecord& mesh, const std::vector<ModelFileKey>& keys, float speed)
{
    ModelFileRecord record;
    record.flags = 0x4 | 0x8;
    record.frameCount = static_cast<std::uint32_t>(keys.size());
    record.speed = speed;
    ModelFileBone bone;
    bone.name = "root";
    const ModelFileBox box = BoxAround(mesh.vertices);
    bone.boxMin = box.min;
    bone.boxMax = box.max;
    record.bones = {bone};
    record.keys = keys;
    record.indices = mesh.indices;
    for (const ModelFileVertex& vertex : mesh.vertices)
    {
        ModelFileSkinnedVertex skinned;
        skinned.u = vertex.u;
        skinned.v = vertex.v;
        ModelFileInfluence influence;
        influence.normal = vertex.normal;
        influence.position = vertex.position;
        skinned.influences = {influence};
        record.skinned.push_back(skinned);
    }
    record.boxes = {box};
    return record;
}

ModelFileKey MakeKey(const Float3& translation, float scale)
{
    return {translation[0], translation[1], translation[2], 0.0f, 0.0f, 0.0f, 1.0f, scale, scale, scale};
}

} // namespace corvellan::content
