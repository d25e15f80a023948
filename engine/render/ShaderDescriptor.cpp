#include "engine/render/ShaderDescriptor.h"

#include "engine/core/Error.h"
#include "engine/core/StringFunctions.h"

namespace OrvaneEngine
{
namespace
{

// The usual alpha blend of every blended descriptor made in code.
constexpr std::uint32_t kSourceAlpha = 4;
constexpr std::uint32_t kInverseSourceAlpha = 5;

constexpr std::uint32_t kClamp = 0;
constexpr std::uint32_t kWrap = 1;

void AddNameToKey(std::uint32_t& key, const std::string& name)
{
    for (char c : name)
        key += static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int8_t>(c)));
}

} // namespace

ShaderDescriptor::ShaderDescriptor(std::uint32_t flags_) : flags(flags_)
{
    UpdateKey();
}

ShaderDescriptor::ShaderDescriptor(const ShaderDescriptor& source)
    : flags(source.flags), ambientColor(source.ambientColor), diffuseColor(source.diffuseColor),
      specularColor(source.specularColor), emissiveColor(source.emissiveColor), power(source.power),
      power2(source.power2), sourceBlend(source.sourceBlend), destinationBlend(source.destinationBlend),
      stageCount(source.stageCount), stages(source.stages)
{
    UpdateKey();
}

ShaderDescriptor::ShaderDescriptor(bool mipMapped, std::uint32_t animationType, std::uint32_t columns,
                                   std::uint32_t rows, std::uint32_t frameCount, float speed,
                                   const std::string& diffuseName, const std::string& opacityName, bool clamp)
    : flags(opacityName.empty() ? 0 : Blended)
{
    if (flags & Blended)
    {
        sourceBlend = kSourceAlpha;
        destinationBlend = kInverseSourceAlpha;
    }
    const std::string opacity = ToLower(opacityName) == "32bit" ? std::string() : opacityName;
    AddStage(mipMapped ? ShaderStage::MipMapped : 0, animationType, columns, rows, frameCount, speed, diffuseName,
             opacity, clamp ? kClamp : kWrap);
    UpdateKey();
}

ShaderDescriptor::~ShaderDescriptor() = default;

std::uint32_t ShaderDescriptor::AddStage(std::uint32_t stageFlags, std::uint32_t animationType,
                                         std::uint32_t columns, std::uint32_t rows, std::uint32_t frameCount,
                                         float speed, const std::string& diffuseName,
                                         const std::string& opacityName, std::uint32_t addressMode)
{
    if (stageCount >= MaxStages)
        throw FatalError("Shader Stages: buffer is overflowed");
    ShaderStage& stage = stages[stageCount];
    stage.flags = stageFlags;
    stage.animationType = animationType;
    stage.columns = columns;
    stage.rows = rows;
    stage.frameCount = animationType == ShaderStage::NoAnimation ? 0 : frameCount;
    stage.speed = speed;
    stage.diffuseName = ToLower(diffuseName);
    stage.opacityName = ToLower(opacityName);
    stage.addressU = addressMode;
    stage.addressV = addressMode;
    stage.scaleU = 1.0f;
    stage.scaleV = 1.0f;
    stage.offsetU = 0.0f;
    stage.offsetV = 0.0f;
    stage.currentFrame = 0;
    ++stageCount;
    UpdateKey();
    return stageCount - 1;
}

bool ShaderDescriptor::Equals(const ShaderDescriptor& other) const
{
    if (key != other.key)
        return false;
    if ((flags & ~Blended) != (other.flags & ~Blended))
        return false;
    if (stageCount != other.stageCount)
        return false;
    constexpr std::uint32_t ignoredStageFlags = ShaderStage::MipMapped | ShaderStage::RandomStart;
    for (std::uint32_t index = 0; index < stageCount && index < MaxStages; ++index)
    {
        const ShaderStage& a = stages[index];
        const ShaderStage& b = other.stages[index];
        if ((a.flags & ~ignoredStageFlags) != (b.flags & ~ignoredStageFlags))
            return false;
        // No animation and a grid both use one texture; frame files one per frame.
        const bool oneTexture = a.animationType <= ShaderStage::NetAnimation &&
                                b.animationType <= ShaderStage::NetAnimation;
        if (!oneTexture && (a.animationType != b.animationType || a.frameCount != b.frameCount))
            return false;
        if (a.diffuseName != b.diffuseName || a.opacityName != b.opacityName)
            return false;
    }
    return true;
}

void ShaderDescriptor::UpdateKey()
{
    key = 0;
    for (std::uint32_t index = 0; index < stageCount && index < MaxStages; ++index)
    {
        AddNameToKey(key, stages[index].diffuseName);
        AddNameToKey(key, stages[index].opacityName);
    }
}

void ShaderDescriptor::SetFlags(std::uint32_t bits)
{
    flags |= bits;
}

void ShaderDescriptor::SetBlendFactor(std::uint32_t index, std::uint32_t factor)
{
    if (index == 0)
        sourceBlend = factor;
    else if (index == 1)
        destinationBlend = factor;
}

} // namespace OrvaneEngine
