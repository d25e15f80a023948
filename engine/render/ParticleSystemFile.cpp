#include "engine/render/ParticleSystemFile.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/StringFunctions.h"

#include <bit>
#include <cstring>

namespace OrvaneEngine
{
namespace
{

std::uint32_t ReadU32(FileBinary& file)
{
    std::uint32_t value = 0;
    file.ReadUInt32(value);
    return value;
}

float ReadFloat(FileBinary& file)
{
    return std::bit_cast<float>(ReadU32(file));
}

std::uint8_t ReadU8(FileBinary& file)
{
    std::uint8_t value = 0;
    file.Read(&value, 1);
    return value;
}

Vector3 ReadVector3(FileBinary& file)
{
    const float x = ReadFloat(file);
    const float y = ReadFloat(file);
    const float z = ReadFloat(file);
    return Vector3(x, y, z);
}

void ReadKeys(FileBinary& file, ParticleSystemSettings::Keys<float>& keys)
{
    for (float& key : keys)
        key = ReadFloat(file);
}

void ReadKeys(FileBinary& file, ParticleSystemSettings::Keys<Vector3>& keys)
{
    for (Vector3& key : keys)
        key = ReadVector3(file);
}

void ReadKeys(FileBinary& file, ParticleSystemSettings::Keys<Color>& keys)
{
    for (Color& key : keys)
    {
        const float r = ReadFloat(file);
        const float g = ReadFloat(file);
        const float b = ReadFloat(file);
        const float a = ReadFloat(file);
        key = Color(r, g, b, a);
    }
}

std::string FormatErrorText(const std::string& fileName)
{
    return "Incorrect \"" + fileName + "\" file format";
}

} // namespace

void ParticleSystemFile::Read(FileBinary& file, const std::string& fileName)
{
    const std::uint32_t sizeField = ReadU32(file);
    char magic[5] = {};
    file.Read(magic, sizeof(magic));
    version = ReadU32(file);
    if (std::memcmp(magic, "OVPSF", sizeof(magic)) != 0 || sizeField != file.GetSize())
        throw FileError(FormatErrorText(fileName));
    if (version != FileVersion && version != OldFileVersion)
        throw FileError("Incorrect \"" + fileName + "\" format version, current is " + UIntToString(FileVersion, 0));

    // The count sizes the particle records, the sprites and the model's
    // buffers; a damaged one must not reach the allocations.
    maxParticleCount = ReadU32(file);
    if (maxParticleCount > MaxParticleCount)
        throw FileError(FormatErrorText(fileName));

    settings.cycleLength = ReadFloat(file);
    settings.gravityOn = ReadU8(file);
    settings.gravity = ReadFloat(file);
    settings.floorOn = ReadU8(file);
    settings.floorHeight = ReadFloat(file);
    settings.bounceFactor = ReadFloat(file);
    settings.stopAtRest = ReadU8(file);
    settings.restThreshold = ReadFloat(file);
    settings.smoothEmission = ReadU8(file);
    ReadKeys(file, settings.rateKeys);
    ReadKeys(file, settings.lifeKeys);
    ReadKeys(file, settings.lifeSpreadKeys);
    ReadKeys(file, settings.directionKeys);
    ReadKeys(file, settings.directionSpreadKeys);
    ReadKeys(file, settings.colorKeys);
    ReadKeys(file, settings.sizeKeys);
    ReadKeys(file, settings.speedKeys);
    if (version == FileVersion)
        ReadKeys(file, settings.speedSpreadKeys);
    else
        settings.speedSpreadKeys = ParticleSystemSettings::Fill(0.0f);
    emitterKind = ReadU32(file);
    boxMin = ReadVector3(file);
    boxMax = ReadVector3(file);
}

} // namespace OrvaneEngine
