#include "content/DataGameObjectFiles.h"

#include "content/DataArtFiles.h"

#include <stdexcept>

namespace corvellan::content
{

namespace
{

std::string WithoutData(const std::string& name)
{
    const std::string prefix = "data\\";
    if (name.compare(0, prefix.size(), prefix) != 0)
        throw std::runtime_error(name + ": a data name must start with data\\");
    return name.substr(prefix.size());
}

// One blended stage over texture, its "_alpha" opacity beside it.
ShaderFileRecord ShaderOf(const std::string& texture)
{
    return DataArtFiles::BlendedShader(texture, DataArtFiles::Stem(texture) + "_alpha.jpg", DataArtFiles::AddressClamp);
}

} // namespace

std::string DataGameObjectFiles::StageTexture(DataStaging& staging, const std::string& name, const DataCanvas& canvas)
{
    const std::string texture = WithoutData(name) + ".jpg";
    DataArtFiles::StageJpeg(staging, name, canvas, true);
    return texture;
}

void DataGameObjectFiles::StageModel(DataStaging& staging, const std::string& name, const ModelFileRecord& record,
                                     const std::string& texture)
{
    DataArtFiles::StageWithShader(staging, name, ModelFileWriter::Build(record), ShaderOf(texture));
}

void DataGameObjectFiles::StageParticles(DataStaging& staging, const std::string& name,
                                         const ParticleFileRecord& record, const std::string& texture)
{
    DataArtFiles::StageWithShader(staging, name, ParticleFileWriter::Build(record), ShaderOf(texture));
}

} // namespace corvellan::content
