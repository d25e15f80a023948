#include "content/ParticleFileWriter.h"

#include "content/AtomicWrite.h"
#include "content/LittleEndian.h"

#include <bit>

namespace corvellan::content
{
namespace
{

template <std::size_t N>
void PutFloats(std::string& out, const std::array<float, N>& values)
{
    for (float value : values)
        AppendFloat(out, value);
}

template <std::size_t N, std::size_t M>
void PutFloats(std::string& out, const std::array<std::array<float, N>, M>& values)
{
    for (const auto& value : values)
        PutFloats(out, value);
}

} // namespace

std::string ParticleFileWriter::Build(const ParticleFileRecord& record, const ParticleFileDamage& damage)
{
    std::string file;
    AppendLittle32(file, 0); // the size, once it is known
    std::string magic = damage.magic.value_or("OVPSF");
    magic.resize(5, '\0');
    file += magic;
    AppendLittle32(file, record.version);
    AppendLittle32(file, record.maxParticleCount);
    AppendFloat(file, record.cycleLength);
    file.push_back(static_cast<char>(record.gravityOn));
    AppendFloat(file, record.gravity);
    file.push_back(static_cast<char>(record.floorOn));
    AppendFloat(file, record.floorHeight);
    AppendFloat(file, record.bounceFactor);
    file.push_back(static_cast<char>(record.stopAtRest));
    AppendFloat(file, record.restThreshold);
    file.push_back(static_cast<char>(record.smoothEmission));
    PutFloats(file, record.rateKeys);
    PutFloats(file, record.lifeKeys);
    PutFloats(file, record.lifeSpreadKeys);
    PutFloats(file, record.directionKeys);
    PutFloats(file, record.directionSpreadKeys);
    PutFloats(file, record.colorKeys);
    PutFloats(file, record.sizeKeys);
    PutFloats(file, record.speedKeys);
    if (record.version != 203)
        PutFloats(file, record.speedSpreadKeys);
    AppendLittle32(file, record.emitterKind);
    PutFloats(file, record.boxMin);
    PutFloats(file, record.boxMax);

    if (damage.cutTo && *damage.cutTo < file.size())
        file.resize(*damage.cutTo);
    const std::uint32_t size = damage.sizeField.value_or(static_cast<std::uint32_t>(file.size()));
    for (std::size_t byte = 0; byte < 4 && byte < file.size(); ++byte)
        file[byte] = static_cast<char>((size >> (8 * byte)) & 0xFF);
    return file;
}

bool ParticleFileWriter::WriteTo(const std::string& path, const ParticleFileRecord& record,
                                 const ParticleFileDamage& damage)
{
    return WriteFileAtomically(path, Build(record, damage));
}

} // namespace corvellan::content
