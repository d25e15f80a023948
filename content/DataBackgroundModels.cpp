#include "content/DataBackgroundModels.h"

#include "content/DataArtFiles.h"
#include "content/ModelMeshes.h"

#include <vector>

namespace corvellan::content
{

ModelFileRecord DataBackgroundModels::Quad(const Rect& r) { return Quad(r, Uv{}); }

ModelFileRecord DataBackgroundModels::Quad(const Rect& r, const Uv& uv)
{
    return DataArtFiles::Quad({r.x0, r.y0, r.x1, r.y1}, {uv.u0, uv.v0, uv.u1, uv.v1});
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
    return DataArtFiles::BlendedShader(picture.diffuse, picture.opacity);
}

std::string DataBackgroundModels::DataName(const std::string& name) { return "data\\" + name; }

DataBackgroundModels::Picture DataBackgroundModels::StageJpeg(DataStaging& staging, const std::string& base,
                                                              const DataCanvas& canvas, bool alpha)
{
    DataArtFiles::StageJpeg(staging, DataName(base), canvas, alpha);
    return {base + ".jpg", alpha ? base + "_alpha.jpg" : std::string()};
}

void DataBackgroundModels::StageModel(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
                                      const ShaderFileRecord& shader)
{
    DataArtFiles::StageModel(staging, DataName(name), model, shader);
}

} // namespace corvellan::content
