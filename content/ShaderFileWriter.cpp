#include "content/ShaderFileWriter.h"

#include "platform/win32/AtomicFile.h"
#include "platform/win32/CFile.h"

#include <bit>
#include <stdexcept>

namespace corvellan::content
{
namespace
{

void PutU32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutFloat(std::string& out, float value)
{
    PutU32(out, std::bit_cast<std::uint32_t>(value));
}

void PutColor(std::string& out, const std::array<float, 4>& color)
{
    for (float channel : color)
        PutFloat(out, channel);
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
    PutU32(out, stage.flags);
    PutU32(out, stage.animationType);
    if (stage.animationType != 0)
    {
        PutU32(out, stage.frameCount);
        PutFloat(out, stage.speed);
    }
    if (stage.animationType == 1)
    {
        PutU32(out, stage.columns);
        PutU32(out, stage.rows);
    }
    PutName(out, stage.diffuseName);
    PutName(out, stage.opacityName);
    PutU32(out, stage.addressU);
    PutU32(out, stage.addressV);
    PutFloat(out, stage.scaleU);
    PutFloat(out, stage.scaleV);
    PutFloat(out, stage.offsetU);
    PutFloat(out, stage.offsetV);
}

} // namespace

std::string ShaderFileWriter::Build(const ShaderFileRecord& record, const ShaderFileDamage& damage)
{
    std::string file;
    PutU32(file, 0); // the size, once it is known
    std::string magic = damage.magic.value_or("OVSRF");
    magic.resize(5, '\0');
    file += magic;
    PutU32(file, damage.version.value_or(Version));
    PutU32(file, record.flags);
    PutColor(file, record.ambientColor);
    PutColor(file, record.diffuseColor);
    PutColor(file, record.specularColor);
    PutColor(file, record.emissiveColor);
    PutFloat(file, record.power);
    PutFloat(file, record.power2);
    PutU32(file, record.sourceBlend);
    PutU32(file, record.destinationBlend);
    PutU32(file, damage.stageCount.value_or(static_cast<std::uint32_t>(record.stages.size())));
    for (const ShaderFileStage& stage : record.stages)
        PutStage(file, stage);

    const std::uint32_t size = damage.sizeField.value_or(static_cast<std::uint32_t>(file.size()));
    for (int byte = 0; byte < 4; ++byte)
        file[static_cast<std::size_t>(byte)] = static_cast<char>((size >> (8 * byte)) & 0xFF);
    return file;
}

bool ShaderFileWriter::WriteTo(const std::string& path, const ShaderFileRecord& record, const ShaderFileDamage& damage)
{
    const std::string bytes = Build(record, damage);
    win32::AtomicFile file(path);
    if (!file.IsOpen())
        return false;
    if (win32::fwrite(bytes.data(), 1, bytes.size(), file.GetStream()) != bytes.size())
        return false;
    return file.Commit();
}

} // namespace corvellan::content
