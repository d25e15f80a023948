#include "engine/render/ShaderDescriptor.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/core/StringFunctions.h"

#include <bit>
#include <cstring>

namespace OrvaneEngine
{
namespace
{

float ReadFloat(FileBinary& file)
{
    std::uint32_t bits = 0;
    file.ReadUInt32(bits);
    return std::bit_cast<float>(bits);
}

std::uint32_t ReadU32(FileBinary& file)
{
    std::uint32_t value = 0;
    file.ReadUInt32(value);
    return value;
}

Color ReadColor(FileBinary& file)
{
    const float r = ReadFloat(file);
    const float g = ReadFloat(file);
    const float b = ReadFloat(file);
    const float a = ReadFloat(file);
    return Color(r, g, b, a);
}

std::string FormatErrorText(const std::string& fileName)
{
    return "Incorrect \"" + fileName + "\" file format";
}

// A bare name is taken from the shader file's own folder.
std::string StageFileName(const std::string& name, const std::string& shaderFileName)
{
    if (name.empty() || !GetDirectoryPart(name).empty() || name.front() == '\\')
        return name;
    return GetDirectoryPart(shaderFileName) + "\\" + name;
}

} // namespace

ShaderDescriptor::ShaderDescriptor(MessageManager* log, FileManager* files, const std::string& fileName)
    : flags(0)
{
    try
    {
        auto file = files->Open(MakeDataPath(fileName), false);
        ReadShaderFile(*file, fileName);
    }
    catch (const FileError& error)
    {
        log->Error(error.GetText());
        throw Error(error.GetText());
    }
    UpdateKey();
}

void ShaderDescriptor::ReadShaderFile(FileBinary& file, const std::string& fileName)
{
    const std::uint32_t sizeField = ReadU32(file);
    char magic[5] = {};
    file.Read(magic, sizeof(magic));
    const std::uint32_t version = ReadU32(file);
    if (std::memcmp(magic, "OVSRF", sizeof(magic)) != 0 || sizeField != file.GetSize())
        throw FileError(FormatErrorText(fileName));
    if (version != FileVersion)
        throw FileError("Incorrect \"" + fileName + "\" format version, current is " +
                        UIntToString(FileVersion, 0));

    flags = ReadU32(file);
    SetAmbientColor(ReadColor(file));
    SetDiffuseColor(ReadColor(file));
    SetSpecularColor(ReadColor(file));
    SetEmissiveColor(ReadColor(file));
    SetPower(ReadFloat(file));
    SetPower2(ReadFloat(file));
    sourceBlend = ReadU32(file);
    destinationBlend = ReadU32(file);

    // A count above 2 ends at the third AddStage; every record read before
    // that is bounded by the bytes present.
    const std::uint32_t count = ReadU32(file);
    for (std::uint32_t index = 0; index < count; ++index)
    {
        const std::uint32_t stageFlags = ReadU32(file);
        const std::uint32_t animationType = ReadU32(file);
        std::uint32_t frameCount = 1;
        float speed = 0.0f;
        std::uint32_t columns = 1;
        std::uint32_t rows = 1;
        if (animationType != ShaderStage::NoAnimation)
        {
            frameCount = ReadU32(file);
            speed = ReadFloat(file);
            // A damaged count would ask for billions of frame textures.
            if (frameCount == 0 || frameCount > MaxFrameCount)
                throw FileError(FormatErrorText(fileName));
        }
        if (animationType == ShaderStage::NetAnimation)
        {
            columns = ReadU32(file);
            rows = ReadU32(file);
            if (columns == 0 || rows == 0)
                throw FileError(FormatErrorText(fileName));
        }
        std::string diffuseName;
        std::string opacityName;
        file.ReadString(diffuseName);
        file.ReadString(opacityName);

        const std::uint32_t stage =
            AddStage(stageFlags, animationType, columns, rows, frameCount, speed,
                     StageFileName(diffuseName, fileName), StageFileName(opacityName, fileName), 0);
        stages[stage].addressU = ReadU32(file);
        stages[stage].addressV = ReadU32(file);
        stages[stage].scaleU = ReadFloat(file);
        stages[stage].scaleV = ReadFloat(file);
        stages[stage].offsetU = ReadFloat(file);
        stages[stage].offsetV = ReadFloat(file);
    }
}

} // namespace OrvaneEngine
