#include "content/DataScreenFiles.h"

#include "content/DataCanvas.h"
#include "content/DataStaging.h"
#include "content/ShaderFileWriter.h"

#include <algorithm>

namespace corvellan::content
{

namespace
{

std::string Stem(const std::string& name)
{
    return name.substr(0, name.rfind('.'));
}

std::string BareName(const std::string& name)
{
    const std::size_t slash = name.rfind('\\');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

} // namespace

std::string DataScreenFiles::DataName(const std::string& name)
{
    return "data\\ui\\menus\\models\\" + name;
}

ModelFileRecord DataScreenFiles::Quads(const std::vector<ScreenQuad>& quads)
{
    ModelFileRecord record;
    record.flags = 0x1 | 0x8;
    ModelFileBox box;
    box.min = {quads.front().rect.left, quads.front().rect.bottom, 0.0f};
    box.max = {quads.front().rect.right, quads.front().rect.top, 0.0f};
    for (const ScreenQuad& quad : quads)
    {
        const auto first = static_cast<std::uint32_t>(record.vertices.size());
        const DataRect& r = quad.rect;
        const DataRect& t = quad.uv;
        const float corners[4][4] = {{r.left, r.bottom, t.left, t.bottom},
                                     {r.right, r.bottom, t.right, t.bottom},
                                     {r.right, r.top, t.right, t.top},
                                     {r.left, r.top, t.left, t.top}};
        for (const auto& corner : corners)
        {
            ModelFileVertex vertex;
            vertex.position = {corner[0], corner[1], 0.0f};
            vertex.u = corner[2];
            vertex.v = corner[3];
            record.vertices.push_back(vertex);
        }
        for (std::uint32_t offset : {0u, 1u, 2u, 2u, 3u, 0u})
            record.indices.push_back(first + offset);
        box.min = {std::min(box.min[0], r.left), std::min(box.min[1], r.bottom), 0.0f};
        box.max = {std::max(box.max[0], r.right), std::max(box.max[1], r.top), 0.0f};
    }
    record.boxes = {box};
    return record;
}

DataRect DataScreenFiles::UvOf(const DataCanvas& canvas, float x0, float y0, float x1, float y1)
{
    const auto w = static_cast<float>(canvas.Width());
    const auto h = static_cast<float>(canvas.Height());
    return {x0 / w, 1.0f - y1 / h, x1 / w, 1.0f - y0 / h};
}

void DataScreenFiles::StageModel(DataStaging& staging, const std::string& name, const ModelFileRecord& record,
                                 const std::string& texture, bool withOpacity)
{
    staging.Write(DataName(name), ModelFileWriter::Build(record));
    ShaderFileRecord shader;
    if (!texture.empty())
    {
        ShaderFileStage stage;
        stage.diffuseName = texture + ".jpg";
        if (withOpacity)
            stage.opacityName = texture + "_alpha.jpg";
        // Clamped, so that a picture's edge does not take in the opposite one.
        stage.addressU = 0;
        stage.addressV = 0;
        shader.stages.push_back(stage);
    }
    staging.Write(DataName(Stem(name) + ".srf"), ShaderFileWriter::Build(shader));
}

void DataScreenFiles::StageTexture(DataStaging& staging, const std::string& name, const DataCanvas& canvas,
                                   bool withOpacity)
{
    staging.Write(DataName(name + ".jpg"), canvas.Jpeg());
    if (withOpacity)
        staging.Write(DataName(name + "_alpha.jpg"), canvas.AlphaJpeg());
}

void DataScreenFiles::StageArea(DataStaging& staging, const std::string& name, const DataRect& rect)
{
    StageModel(staging, name, Quads({{rect}}));
}

void DataScreenFiles::StagePicture(DataStaging& staging, const std::string& name, const DataRect& rect,
                                   const DataCanvas& canvas, bool withOpacity)
{
    StageTexture(staging, Stem(name), canvas, withOpacity);
    StageModel(staging, name, Quads({{rect}}), BareName(Stem(name)), withOpacity);
}

} // namespace corvellan::content
