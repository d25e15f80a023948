#include "content/DataBackgroundModels.h"

#include "content/DataArtFiles.h"
#include "content/ModelMeshes.h"

#include <vector>

namespace corvellan::content
{

ModelFileRecord DataBackgroundModels::Morph(std::uint32_t frames, float speed,
                                            const std::function<DataRect(float)>& place,
                                            const std::function<DataRect(float)>& uv)
{
    std::vector<ModelFileRecord> meshes;
    for (std::uint32_t f = 0; f < frames; ++f)
    {
        const float t = DataArtFiles::Progress(f, frames);
        meshes.push_back(DataArtFiles::Quad(place(t), uv(t)));
    }
    return MakeMorphModel(meshes, speed);
}

DataRect DataBackgroundModels::Moved(const DataRect& r, float dx, float dy)
{
    return {r.left + dx, r.bottom + dy, r.right + dx, r.top + dy};
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
