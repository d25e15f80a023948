#include "content/DataScreenFiles.h"

#include "content/DataArtFiles.h"
#include "content/DataCanvas.h"
#include "content/DataStaging.h"
#include "content/ShaderFileWriter.h"

#include <algorithm>

namespace corvellan::content
{

std::string DataScreenFiles::DataName(const std::string& name)
{
    return DataArtFiles::MenuModels + name;
}

ModelFileRecord DataScreenFiles::Quads(const std::vector<ScreenQuad>& quads)
{
    ModelFileRecord record = DataArtFiles::Quad(quads.front().rect, quads.front().uv);
    ModelFileBox& box = record.boxes.front();
    for (std::size_t q = 1; q < quads.size(); ++q)
    {
        const ModelFileRecord piece = DataArtFiles::Quad(quads[q].rect, quads[q].uv);
        const auto first = static_cast<std::uint32_t>(record.vertices.size());
        record.vertices.insert(record.vertices.end(), piece.vertices.begin(), piece.vertices.end());
        for (std::uint32_t index : piece.indices)
            record.indices.push_back(first + index);
        for (std::size_t axis = 0; axis < 3; ++axis)
        {
            box.min[axis] = std::min(box.min[axis], piece.boxes.front().min[axis]);
            box.max[axis] = std::max(box.max[axis], piece.boxes.front().max[axis]);
        }
    }
    return record;
}

DataRect DataScreenFiles::Around(const Point2& centre, float width, float height)
{
    return {centre.x - width * 0.5f, centre.y - height * 0.5f, centre.x + width * 0.5f, centre.y + height * 0.5f};
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
    ShaderFileRecord shader;
    if (!texture.empty())
    {
        ShaderFileStage stage;
        stage.diffuseName = texture + ".jpg";
        if (withOpacity)
            stage.opacityName = texture + "_alpha.jpg";
        // Clamped, so that a picture's edge does not take in the opposite one.
        stage.addressU = DataArtFiles::AddressClamp;
        stage.addressV = DataArtFiles::AddressClamp;
        shader.stages.push_back(stage);
    }
    DataArtFiles::StageModel(staging, DataName(name), record, shader);
}

void DataScreenFiles::StageTexture(DataStaging& staging, const std::string& name, const DataCanvas& canvas,
                                   bool withOpacity)
{
    DataArtFiles::StageJpeg(staging, DataName(name), canvas, withOpacity);
}

void DataScreenFiles::StageArea(DataStaging& staging, const std::string& name, const DataRect& rect)
{
    DataArtFiles::StageBox(staging, DataName(name), rect);
}

void DataScreenFiles::StagePicture(DataStaging& staging, const std::string& name, const DataRect& rect,
                                   const DataCanvas& canvas, bool withOpacity)
{
    const std::string stem = DataArtFiles::Stem(name);
    StageTexture(staging, stem, canvas, withOpacity);
    StageModel(staging, name, DataArtFiles::Quad(rect), DataArtFiles::Leaf(stem), withOpacity);
}

} // namespace corvellan::content
