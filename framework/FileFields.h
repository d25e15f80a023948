#pragma once

#include <cstdint>

namespace OrvaneEngine
{
class FileBinary;
}

namespace GameFramework
{

// The little-endian fields of the framework's data files that FileBinary
// has no call for. Reading throws FileError on a short read.
class FileFields
{
public:
    static void WriteUInt32(OrvaneEngine::FileBinary* file, std::uint32_t value);
    // The bits as they are, so a NaN keeps its pattern.
    static void WriteFloat(OrvaneEngine::FileBinary* file, float value);
    static std::uint32_t ReadUInt32(OrvaneEngine::FileBinary* file);
    static float ReadFloat(OrvaneEngine::FileBinary* file);
    static std::uint8_t ReadByte(OrvaneEngine::FileBinary* file);
};

} // namespace GameFramework
