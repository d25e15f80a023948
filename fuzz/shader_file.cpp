// The shader-file reader on hostile bytes: the input is read as an in-memory
// "OVSRF" file. A descriptor it accepts must be sound: at most two stages,
// frame counts and grids the texture loader can take, lower-case names and a
// key that matches them.
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/StringFunctions.h"
#include "engine/render/ShaderDescriptor.h"

#include <cstddef>
#include <cstdint>
#include <limits>

namespace
{

using namespace OrvaneEngine;

void CheckAccepted(const ShaderDescriptor& descriptor)
{
    if (descriptor.stageCount > ShaderDescriptor::MaxStages)
        __builtin_trap();
    for (std::uint32_t index = 0; index < descriptor.stageCount; ++index)
    {
        const ShaderStage& stage = descriptor.stages[index];
        if (stage.animationType != ShaderStage::NoAnimation &&
            (stage.frameCount == 0 || stage.frameCount > ShaderDescriptor::MaxFrameCount))
            __builtin_trap();
        if (stage.animationType == ShaderStage::NoAnimation && stage.frameCount != 0)
            __builtin_trap();
        if (stage.animationType == ShaderStage::NetAnimation && (stage.columns == 0 || stage.rows == 0))
            __builtin_trap();
        if (ToLower(stage.diffuseName) != stage.diffuseName || ToLower(stage.opacityName) != stage.opacityName)
            __builtin_trap();
    }
    ShaderDescriptor copy(descriptor);
    if (copy.key != descriptor.key || !copy.Equals(descriptor))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > std::numeric_limits<std::uint32_t>::max())
        return 0;
    FileBinary file("fuzz.srf", false, false, true, static_cast<std::uint32_t>(size), data);
    ShaderDescriptor descriptor(0);
    try
    {
        descriptor.ReadShaderFile(file, "fx\\fuzz.srf");
    }
    catch (const Error&)
    {
        // FileError for damaged bytes, FatalError for a third stage.
        return 0;
    }
    CheckAccepted(descriptor);
    return 0;
}
