#include "content/DataGameObjectFiles.h"

#include "content/DataCanvas.h"
#include "content/DataStaging.h"
#include "content/ModelMeshes.h"
#include "content/ShaderFileWriter.h"

#include <stdexcept>

namespace corvellan::content
{

namespace
{

constexpr std::uint32_t Blended = 1;
constexpr std::uint32_t SourceAlpha = 4;
constexpr std::uint32_t InverseSourceAlpha = 5;
constexpr std::uint32_t Clamp = 3;

std::string WithoutData(const std::string& name)
{
    const std::string prefix = "data\\";
    if (name.compare(0, prefix.size(), prefix) != 0)
        throw std::runtime_error(name + ": a data name must start with data\\");
    return name.substr(prefix.size());
}

std::string ShaderName(const std::string& name)
{
    return name.substr(0, name.rfind('.')) + ".srf";
}

} // namespace

std::string DataGameObjectFiles::StageTexture(DataStaging& staging, const std::string& name, const DataCanvas& canvas)
{
    const std::string colour = canvas.Jpeg();
    const std::string alpha = canvas.AlphaJpeg();
    if (colour.empty() || alpha.empty())
        throw std::runtime_error(name + ".jpg: the texture cannot be encoded");
    staging.Write(name + ".jpg", colour);
    staging.Write(name + "_alpha.jpg", alpha);
    return WithoutData(name) + ".jpg";
}

std::string DataGameObjectFiles::Shader(const std::string& texture)
{
    ShaderFileRecord shader;
    shader.flags = Blended;
    shader.sourceBlend = SourceAlpha;
    shader.destinationBlend = InverseSourceAlpha;
    ShaderFileStage stage;
    stage.diffuseName = texture;
    stage.opacityName = texture.substr(0, texture.rfind('.')) + "_alpha.jpg";
    stage.addressU = Clamp;
    stage.addressV = Clamp;
    shader.stages.push_back(stage);
    return ShaderFileWriter::Build(shader);
}

void DataGameObjectFiles::StageModel(DataStaging& staging, const std::string& name, const ModelFileRecord& record,
                                     const std::string& texture)
{
    staging.Write(name, ModelFileWriter::Build(record));
    staging.Write(ShaderName(name), Shader(texture));
}

void DataGameObjectFiles::StageParticles(DataStaging& staging, const std::string& name,
                                         const ParticleFileRecord& record, const std::string& texture)
{
    staging.Write(name, ParticleFileWriter::Build(record));
    staging.Write(ShaderName(name), Shader(texture));
}

ModelFileRecord DataGameObjectFiles::TexturedQuad(float x0, float y0, float x1, float y1, float u0, float v0,
                                                  float u1, float v1, float z)
{
    ModelFileRecord quad = MakeQuadMesh(x0, y0, x1, y1, z);
    for (ModelFileVertex& vertex : quad.vertices)
    {
        vertex.u = vertex.u == 0.0f ? u0 : u1;
        vertex.v = vertex.v == 0.0f ? v0 : v1;
    }
    return quad;
}

} // namespace corvellan::content
