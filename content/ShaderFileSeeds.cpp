#include "content/FuzzSeeds.h"
#include "content/ShaderFileWriter.h"

namespace corvellan::content
{
namespace
{

ShaderFileStage Stage(std::uint32_t animationType, const std::string& diffuse, const std::string& opacity)
{
    ShaderFileStage stage;
    stage.animationType = animationType;
    stage.diffuseName = diffuse;
    stage.opacityName = opacity;
    if (animationType != 0)
    {
        stage.frameCount = animationType == 1 ? 8 : 10;
        stage.speed = 8.0f;
    }
    if (animationType == 1)
    {
        stage.columns = 4;
        stage.rows = 2;
    }
    return stage;
}

} // namespace

bool WriteShaderFileSeeds(const std::string& folder)
{
    const std::string target = "shader_file";
    bool written = WriteSeed(folder, target, "no_stage.srf", ShaderFileWriter::Build({}));

    const char* names[] = {"none", "net", "diffuse", "opacity", "diffuse_and_opacity"};
    for (std::uint32_t type = 0; type < 5; ++type)
    {
        ShaderFileRecord record;
        record.flags = type % 2;
        record.sourceBlend = 4;
        record.destinationBlend = 5;
        const std::string diffuse = type % 2 ? "fx\\Fire00.jpg" : "fire00.tga";
        ShaderFileStage stage = Stage(type, diffuse, type >= 3 ? "fire_a00.tga" : "");
        stage.flags = type % 4;
        record.stages.push_back(stage);
        written = WriteSeed(folder, target, std::string("one_stage_") + names[type] + ".srf",
                            ShaderFileWriter::Build(record)) &&
                  written;
    }

    ShaderFileRecord two;
    two.flags = 1;
    two.stages.push_back(Stage(1, "\\ui\\grid.tga", "32bit"));
    two.stages.push_back(Stage(0, "detail.bmp", "detail.bmp"));
    two.stages[1].flags = 4;
    two.stages[1].addressU = 0;
    two.stages[1].scaleU = 4.0f;
    two.stages[1].offsetV = 0.5f;
    written = WriteSeed(folder, target, "two_stages.srf", ShaderFileWriter::Build(two)) && written;
    return written;
}

} // namespace corvellan::content
