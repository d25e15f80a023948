#include "framework/FileFields.h"

#include "engine/core/FileBinary.h"
#include "engine/core/LittleEndian.h"

#include <bit>

namespace GameFramework
{

void FileFields::WriteUInt32(OrvaneEngine::FileBinary* file, std::uint32_t value)
{
    std::uint8_t bytes[4] = {};
    OrvaneEngine::StoreLittle32(bytes, value);
    file->Write(bytes, sizeof(bytes));
}

void FileFields::WriteFloat(OrvaneEngine::FileBinary* file, float value)
{
    WriteUInt32(file, std::bit_cast<std::uint32_t>(value));
}

std::uint32_t FileFields::ReadUInt32(OrvaneEngine::FileBinary* file)
{
    std::uint32_t value = 0;
    file->ReadUInt32(value);
    return value;
}

float FileFields::ReadFloat(OrvaneEngine::FileBinary* file)
{
    return std::bit_cast<float>(ReadUInt32(file));
}

std::uint8_t FileFields::ReadByte(OrvaneEngine::FileBinary* file)
{
    std::uint8_t value = 0;
    file->Read(&value, 1);
    return value;
}

} // namespace GameFramework
