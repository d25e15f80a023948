#include "content/DataBackgroundModels.h"

#include "content/DataCanvas.h"
#include "content/DataStaging.h"
#include "content/ModelMeshes.h"

#include <vector>

namespace corvellan::content
{

ModelFileRecord DataBackgroundModels::Quad(const Rect& r) { return Quad(r, Uv{}); }

ModelFileRecord DataBackgroundModels::Quad(const Rect& r, const Uv& uv)
{
    ModelFileRecord quad = MakeQuadMesh(r.x0, r.y0, r.x1, r.y1);
    for (ModelFileVertex& vertex : quad.vertices)
    {
        vertex.u = uv.u0 + vertex.u * (uv.u1 - uv.u0);
        vertex.v = uv.v0 + vertex.v * (uv.v1 - uv.v0);
    }
    return quad;
}

ModelFileRecord DataBackgroundModels::Morph(std::uint32_t frames, float speed, const std::function<Rect(float)>& place,
                                            const std::function<Uv(float)>& uv)
{
    std::vector<ModelFileRecord> meshes;
    for (std::uint32_t f = 0; f < frames; ++f)
    {
        const float t = frames > 1 ? static_cast<float>(f) / static_cast<float>(frames - 1) : 1.0f;
        meshes.push_back(Quad(place(t), uv(t)));
    }
    return MakeMorphModel(meshes, speed);
}

DataBackgroundModels::Rect DataBackgroundModels::Scaled(const Rect& r, float sx, float sy)
{
    const float cx = (r.x0 + r.x1) / 2.0f;
    const float cy = (r.y0 + r.y1) / 2.0f;
    return {cx + (r.x0 - cx) * sx, cy + (r.y0 - cy) * sy, cx + (r.x1 - cx) * sx, cy + (r.y1 - cy) * sy};
}

DataBackgroundModels::Rect DataBackgroundModels::Moved(const Rect& r, float dx, float dy)
{
    return {r.x0 + dx, r.y0 + dy, r.x1 + dx, r.y1 + dy};
}

float DataBackgroundModels::Settle(float t) { return (1.0f - t) * (1.0f - t); }

ShaderFileRecord DataBackgroundModels::BlendedShader(const Picture& picture)
{
    ShaderFileRecord shader;
    shader.flags = 1;
    shader.sourceBlend = 4;
    shader.destinationBlend = 5;
    ShaderFileStage stage;
    stage.diffuseName = picture.diffuse;
    stage.opacityName = picture.opacity;
    shader.stages.push_back(stage);
    return shader;
}

std::string DataBackgroundModels::DataName(const std::string& name) { return "data\\" + name; }

DataBackgroundModels::Picture DataBackgroundModels::StageJpeg(DataStaging& staging, const std::string& base,
                                                              const DataCanvas& canvas, bool alpha)
{
    Picture picture{base + ".jpg", alpha ? base + "_alpha.jpg" : std::string()};
    staging.Write(DataName(picture.diffuse), canvas.Jpeg());
    if (alpha)
        staging.Write(DataName(picture.opacity), canvas.AlphaJpeg());
    return picture;
}

void DataBackgroundModels::StageModel(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
                                      const ShaderFileRecord& shader)
{
    staging.Write(DataName(name), ModelFileWriter::Build(model));
    const std::string shaderName = name.substr(0, name.rfind('.')) + ".srf";
    staging.Write(DataName(shaderName), ShaderFileWriter::Build(shader));
}

} // namespace corvellan::content
