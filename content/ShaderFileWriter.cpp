#include "content/ShaderFileWriter.h"

#include "content/AtomicWrite.h"
#include "content/LittleEndian.h"

#include <bit>
#include <stdexcept>

namespace corvellan::content
{
namespace
{

void PutColor(std::string& out, const std::array<float, 4>& color)
{
    for (float channel : color)
        AppendFloat(out, channel);
}

void PutName(std::string& out, const std::string& name)
{
    if (name.size() > 255)
        throw std::invalid_argument("shader stage name longer than 255 bytes: " + name);
    out.push_back(static_cast<char>(name.size()));
    out += name;
}

void PutStage(std::string& out, const ShaderFileStage& stage)
{
    AppendLittle32(out, stage.flags);
    AppendLittle32(out, stage.animationType);
    if (stage.animationType != 0)
    {
        AppendLittle32(out, stage.frameCount);
        AppendFloat(out, stage.speed);
    }
    if (stage.animationType == 1)
    {
        AppendLittle32(out, stage.columns);
        AppendLittle32(out, stage.rows);
    }
    PutName(out, stage.diffuseName);
    PutName(out, stage.opacityName);
    AppendLittle32(out, stage.addressU);
    AppendLittle32(out, stage.addressV);
    AppendFloat(out, stage.scaleU);
    AppendFloat(out, stage.scaleV);
    AppendFloat(out, stage.offsetU);
    AppendFloat(out, stage.offsetV);
}

} // namespace

std::string ShaderFileWriter::Build(const ShaderFileRecord& record, const ShaderFileDamage& damage)
{
    std::string file;
    AppendLittle32(file, 0); // the size, once it is known
    std::string magic = damage.magic.value_or("OVSRF");
    magic.resize(5, '\0');
    file += magic;
    AppendLittle32(file, damage.version.value_or(Version));
    AppendLittle32(file, record.flags);
    PutColor(file, record.ambientColor);
    PutColor(file, record.diffuseColor);
    PutColor(file, record.specularColor);
    PutColor(file, record.emissiveColor);
    AppendFloat(file, record.power);
    AppendFloat(file, record.power2);
    AppendLittle32(file, record.sourceBlend);
    AppendLittle32(file, record.destinationBlend);
    AppendLittle32(file, damage.stageCount.value_or(static_cast<std::uint32_t>(record.stages.size())));
    for (const ShaderFileStage& stage : record.stages)
        PutStage(file, stage);

    const std::uint32_t size = damage.sizeField.value_or(static_cast<std::uint32_t>(file.size()));
    for (int byte = 0; byte < 4; ++byte)
        file[static_cast<std::size_t>(byte)] = static_cast<char>((size >> (8 * byte)) & 0xFF);
    return file;
}

bool ShaderFileWriter::WriteTo(const std::string& path, const ShaderFileRecord& record, const ShaderFileDamage& damage)
{
    return WriteFileAtomically(path, Build(record, damage));
}

} // namespace corvellan::content
