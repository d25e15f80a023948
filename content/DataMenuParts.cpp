#include "content/DataMenuParts.h"

#include "content/DataArtFiles.h"
#include "content/DataStaging.h"
#include "content/ModelMeshes.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace corvellan::content
{

namespace
{

constexpr float FramesPerSecond = 25.0f;
// The frame alpha reaches 1 at frame 15 (alpha = frame / 15).
constexpr std::uint32_t OpaqueFrame = 15;

constexpr std::uint32_t NetAnimation = 1;

float EaseOut(float t) { return 1.0f - (1.0f - t) * (1.0f - t); }

} // namespace

const std::string DataMenuParts::Models = DataArtFiles::MenuModels;
const std::string DataMenuParts::Controls = Models + "controls\\";

ModelFileRecord DataMenuParts::Morph(const std::vector<DataRect>& frames)
{
    std::vector<ModelFileRecord> meshes;
    meshes.reserve(frames.size());
    for (const DataRect& frame : frames)
        meshes.push_back(DataArtFiles::Quad(frame));
    return MakeMorphModel(meshes, FramesPerSecond);
}

ModelFileRecord DataMenuParts::PopIn(const DataRect& rect, std::uint32_t frames)
{
    std::vector<DataRect> steps;
    for (std::uint32_t f = 0; f < frames; ++f)
    {
        const float t = DataArtFiles::Progress(f, frames);
        // Grows past its size, then settles on it.
        const float scale = t < 0.7f ? 0.2f + 0.9f * EaseOut(t / 0.7f) : 1.1f - 0.1f * (t - 0.7f) / 0.3f;
        steps.push_back(f + 1 == frames ? rect : DataArtFiles::Scaled(rect, scale, scale));
    }
    return Morph(steps);
}

ModelFileRecord DataMenuParts::Unfold(const DataRect& rect, std::uint32_t frames)
{
    std::vector<DataRect> steps;
    for (std::uint32_t f = 0; f < frames; ++f)
    {
        const float t = EaseOut(DataArtFiles::Progress(f, frames));
        steps.push_back(f + 1 == frames ? rect
                                        : DataArtFiles::Scaled(rect, 0.75f + 0.25f * t, 0.04f + 0.96f * t));
    }
    return Morph(steps);
}

ShaderFileRecord DataMenuParts::Textured(const std::string& texture, std::uint32_t columns, std::uint32_t rows,
                                         std::uint32_t looks)
{
    ShaderFileRecord shader = DataArtFiles::BlendedShader(texture, "", DataArtFiles::AddressClamp);
    ShaderFileStage& stage = shader.stages.front();
    if (looks > 1)
    {
        // The control picks the look; the net never runs by itself.
        stage.animationType = NetAnimation;
        stage.frameCount = looks;
        stage.speed = 0.0f;
        stage.columns = columns;
        stage.rows = rows;
    }
    return shader;
}

void DataMenuParts::Put(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
                        const ShaderFileRecord& shader)
{
    DataArtFiles::StageModel(staging, name + ".mlf", model, shader);
}

void DataMenuParts::PutPicture(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
                               const DataCanvas& picture, std::uint32_t columns, std::uint32_t rows,
                               std::uint32_t looks)
{
    staging.Write(name + ".tga", picture.Tga());
    Put(staging, name, model, Textured(DataArtFiles::Leaf(name) + ".tga", columns, rows, looks));
}

void DataMenuParts::PutPhoto(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
                             const DataCanvas& picture)
{
    DataArtFiles::StageJpeg(staging, name, picture, true);
    const std::string leaf = DataArtFiles::Leaf(name);
    ShaderFileRecord shader = Textured(leaf + ".jpg");
    shader.stages.front().opacityName = leaf + "_alpha.jpg";
    Put(staging, name, model, shader);
}

void DataMenuParts::PutBox(DataStaging& staging, const std::string& name, const DataRect& rect)
{
    DataArtFiles::StageBox(staging, name + ".mlf", rect);
}

void DataMenuParts::CheckFrameModel(const std::string& name, const ModelFileRecord& model)
{
    const bool morph = (model.flags & 0x2) != 0;
    const std::uint32_t frames = morph ? model.frameCount : 1;
    if (frames <= 1)
        throw std::runtime_error(name + ": a menu frame needs an appear animation, it has a single frame");
    if (frames <= OpaqueFrame)
        throw std::runtime_error(name + ": a menu frame needs at least " + std::to_string(OpaqueFrame + 1) +
                                 " frames to become opaque, it has " + std::to_string(frames));
}

} // namespace corvellan::content
