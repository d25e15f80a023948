#pragma once

#include "content/ModelFileWriter.h"
#include "content/ParticleFileWriter.h"

#include <string>

namespace corvellan::content
{

class DataCanvas;
class DataStaging;

// How the game's objects reach the staging folder: a model or a particle
// system always with its shader file of the same name, whose one stage
// names a texture the pack holds.
class DataGameObjectFiles
{
public:
    // "<name>.jpg" and its opacity "<name>_alpha.jpg", name being a data
    // name without extension; returns the texture's name as a shader names
    // it (without the leading "data\").
    static std::string StageTexture(DataStaging& staging, const std::string& name, const DataCanvas& canvas);
    // The shader of one blended stage over texture (its "_alpha" opacity
    // beside it).
    static std::string Shader(const std::string& texture);
    static void StageModel(DataStaging& staging, const std::string& name, const ModelFileRecord& record,
                           const std::string& texture);
    static void StageParticles(DataStaging& staging, const std::string& name, const ParticleFileRecord& record,
                               const std::string& texture);
    // The quad (x0, y0)-(x1, y1) at depth z whose corners take the texture
    // box (u0, v0)-(u1, v1): v runs upwards, as the quad's y does.
    static ModelFileRecord TexturedQuad(float x0, float y0, float x1, float y1, float u0, float v0, float u1,
                                        float v1, float z = 0.0f);
};

} // namespace corvellan::content
