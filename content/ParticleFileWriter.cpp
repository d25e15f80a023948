#include "content/ParticleFileWriter.h"

#include "platform/win32/AtomicFile.h"
#include "platform/win32/CFile.h"

#include <bit>

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

template <std::size_t N>
void PutFloats(std::string& out, const std::array<float, N>& values)
{
    for (float value : values)
        PutFloat(out, value);
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
    PutU32(file, 0); // the size, once it is known
    std::string magic = damage.magic.value_or("OVPSF");
    magic.resize(5, '\0');
    file += magic;
    PutU32(file, record.version);
    PutU32(file, record.maxParticleCount);
    PutFloat(file, record.cycleLength);
    file.push_back(static_cast<char>(record.gravityOn));
    PutFloat(file, record.gravity);
    file.push_back(static_cast<char>(record.floorOn));
    PutFloat(file, record.floorHeight);
    PutFloat(file, record.bounceFactor);
    file.push_back(static_cast<char>(record.stopAtRest));
    PutFloat(file, record.restThreshold);
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
    PutU32(file, record.emitterKind);
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
    const std::string bytes = Build(record, damage);
    win32::AtomicFile file(path);
    if (!file.IsOpen())
        return false;
    if (win32::fwrite(bytes.data(), 1, bytes.size(), file.GetStream()) != bytes.size())
        return false;
    return file.Commit();
}

} // namespace corvellan::content
