#include "engine/render/ShaderDescriptor.h"

#include <atomic>

namespace OrvaneEngine
{
namespace
{

// Set once at start-up; read by the loading worker as well.
std::atomic<bool> defaultMipMapping{false};

} // namespace

void SetDefaultMipMapping(bool mipMapped)
{
    defaultMipMapping.store(mipMapped, std::memory_order_relaxed);
}

ShaderDescriptor MakeDefaultShaderDescriptor()
{
    return ShaderDescriptor(0);
}

ShaderDescriptor MakeAnimatedShaderDescriptor(std::uint32_t columns, std::uint32_t rows, const std::string& diffuseName,
                                              const std::string& opacityName, bool clamp)
{
    ShaderDescriptor descriptor(0);
    if (!opacityName.empty())
    {
        descriptor.SetFlags(ShaderDescriptor::Blended);
        descriptor.SetBlendFactor(0, 4);
        descriptor.SetBlendFactor(1, 5);
    }
    if (!diffuseName.empty())
    {
        const std::uint64_t cells = std::uint64_t{columns} * rows;
        const std::string opacity = opacityName.find("32bit") != std::string::npos ? std::string() : opacityName;
        descriptor.AddStage(defaultMipMapping.load(std::memory_order_relaxed) ? ShaderStage::MipMapped : 0,
                            cells > 1 ? ShaderStage::NetAnimation : ShaderStage::NoAnimation, columns, rows,
                            columns * rows, 0.0f, diffuseName, opacity, clamp ? 0 : 1);
    }
    return descriptor;
}

ShaderDescriptor MakeShaderDescriptor(const std::string& diffuseName, const std::string& opacityName, bool clamp)
{
    return MakeAnimatedShaderDescriptor(1, 1, diffuseName, opacityName, clamp);
}

} // namespace OrvaneEngine
