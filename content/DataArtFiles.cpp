#include "content/DataArtFiles.h"

#include "content/DataCanvas.h"
#include "content/DataStaging.h"
#include "content/ModelMeshes.h"

namespace corvellan::content
{

namespace
{

constexpr std::uint32_t Blended = 0x1;
constexpr std::uint32_t SourceAlpha = 4;
constexpr std::uint32_t InverseSourceAlpha = 5;

} // namespace

ModelFileRecord DataArtFiles::Quad(const DataRect& place, const DataRect& uv, float z)
{
    ModelFileRecord quad = MakeQuadMesh(place.left, place.bottom, place.right, place.top, z);
    // Corners take the box's own numbers, so that neighbouring parts of one
    // texture meet exactly.
    for (ModelFileVertex& vertex : quad.vertices)
    {
        vertex.u = vertex.u == 0.0f ? uv.left : uv.right;
        vertex.v = vertex.v == 0.0f ? uv.bottom : uv.top;
    }
    return quad;
}

DataRect DataArtFiles::Scaled(const DataRect& r, float sx, float sy)
{
    const float cx = (r.left + r.right) / 2.0f;
    const float cy = (r.bottom + r.top) / 2.0f;
    return {cx + (r.left - cx) * sx, cy + (r.bottom - cy) * sy, cx + (r.right - cx) * sx, cy + (r.top - cy) * sy};
}

float DataArtFiles::Progress(std::uint32_t frame, std::uint32_t frames)
{
    return frames > 1 ? static_cast<float>(frame) / static_cast<float>(frames - 1) : 1.0f;
}

std::string DataArtFiles::Stem(const std::string& name) { return name.substr(0, name.rfind('.')); }

std::string DataArtFiles::Leaf(const std::string& name)
{
    const std::size_t slash = name.rfind('\\');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

ShaderFileRecord DataArtFiles::BlendedShader(const std::string& diffuse, const std::string& opacity,
                                             std::uint32_t address)
{
    ShaderFileRecord shader;
    shader.flags = Blended;
    shader.sourceBlend = SourceAlpha;
    shader.destinationBlend = InverseSourceAlpha;
    ShaderFileStage stage;
    stage.diffuseName = diffuse;
    stage.opacityName = opacity;
    stage.addressU = address;
    stage.addressV = address;
    shader.stages.push_back(stage);
    return shader;
}

void DataArtFiles::StageJpeg(DataStaging& staging, const std::string& base, const DataCanvas& canvas,
                             bool withOpacity)
{
    staging.Write(base + ".jpg", canvas.Jpeg());
    if (withOpacity)
        staging.Write(base + "_alpha.jpg", canvas.AlphaJpeg());
}

void DataArtFiles::StageWithShader(DataStaging& staging, const std::string& name, const std::string& bytes,
                                   const ShaderFileRecord& shader)
{
    staging.Write(name, bytes);
    staging.Write(Stem(name) + ".srf", ShaderFileWriter::Build(shader));
}

void DataArtFiles::StageModel(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
                              const ShaderFileRecord& shader)
{
    StageWithShader(staging, name, ModelFileWriter::Build(model), shader);
}

void DataArtFiles::StageBox(DataStaging& staging, const std::string& name, const DataRect& rect)
{
    StageModel(staging, name, Quad(rect), ShaderFileRecord{});
}

} // namespace corvellan::content
