#pragma once

#include "content/ModelFileWriter.h"

#include <cstdint>
#include <vector>

// Small meshes as model-file records, for tests and for the game's data.
// Every mesh is a triangle list (flags 0x1 | 0x8) whose faces wind counter-
// clockwise when seen from the side their normal points to, like the
// engine's own box model.
namespace corvellan::content
{

// The rectangle (x0, y0)-(x1, y1) in the plane z, facing +z; u runs with x
// and v with y from 0 to 1.
ModelFileRecord MakeQuadMesh(float x0, float y0, float x1, float y1, float z = 0.0f);

// Six faces of four vertices each, facing outwards.
ModelFileRecord MakeBoxMesh(const Float3& min, const Float3& max);

// columns x rows cells over (x0, y0)-(x1, y1) in the plane z = 0, facing +z;
// vertex (c, r) is number r * (columns + 1) + c.
ModelFileRecord MakeGridMesh(std::uint32_t columns, std::uint32_t rows, float x0, float y0, float x1, float y1);

// A morph model whose frame f has the vertices and box of frames[f]; all
// frames must have the vertex count and the indices of the first.
ModelFileRecord MakeMorphModel(const std::vector<ModelFileRecord>& frames, float speed);

// A skeletal model of one bone (named "root", its box the mesh's box) that
// every vertex of the static mesh follows with weight 1; one key per frame.
ModelFileRecord MakeOneBoneModel(const ModelFileRecord& mesh, const std::vector<ModelFileKey>& keys, float speed);

// The key of translation t, no rotation and scale s.
ModelFileKey MakeKey(const Float3& translation, float scale = 1.0f);

} // namespace corvellan::content
