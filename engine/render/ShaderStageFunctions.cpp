#include "engine/render/ShaderStageFunctions.h"

#include "engine/core/FileManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/core/StringFunctions.h"

#include <algorithm>
#include <cmath>

namespace OrvaneEngine
{
namespace
{

// A grid cell is drawn shrunk by 1 % and inset by half of that on every side.
constexpr float kCellShrink = 0.01f;
constexpr float kCellInset = 0.005f;

std::uint32_t AtLeastOne(std::uint32_t value)
{
    return value > 0 ? value : 1;
}

std::uint32_t DecimalDigits(std::uint32_t value)
{
    std::uint32_t digits = 1;
    while (value >= 10)
    {
        value /= 10;
        ++digits;
    }
    return digits;
}

} // namespace

float WrapAnimationTime(float time, std::uint32_t frameCount)
{
    const float count = static_cast<float>(AtLeastOne(frameCount));
    if (!std::isfinite(time))
        return 0.0f;
    if (time > count)
        return std::fmod(time, count);
    if (time < 0.0f)
    {
        const float lifted = std::fmod(time, count) + count;
        // -0.0001 + count may round to count itself, which is frame 0.
        return lifted < count ? lifted : 0.0f;
    }
    return time;
}

void UpdateStageAnimation(ShaderStage& stage, float& time, float frameTime)
{
    if (stage.animationType != ShaderStage::NoAnimation)
        time = WrapAnimationTime(time + stage.speed * frameTime, stage.frameCount);

    switch (stage.animationType)
    {
    case ShaderStage::NoAnimation:
        stage.currentFrame = 0;
        break;
    case ShaderStage::NetAnimation:
    {
        const std::uint32_t columns = AtLeastOne(stage.columns);
        const std::uint32_t rows = AtLeastOne(stage.rows);
        // The wrapped time is at most the count, which may not fit 32 bits as a float.
        const auto frame = static_cast<std::uint32_t>(static_cast<std::uint64_t>(time) % AtLeastOne(stage.frameCount));
        const std::uint32_t column = frame % columns;
        // Rows are counted from the bottom of the texture; a frame count
        // beyond the grid runs below it rather than wrapping round.
        const float row = static_cast<float>(rows) - 1.0f - static_cast<float>(frame / columns);
        stage.scaleU = (1.0f - kCellShrink) / static_cast<float>(columns);
        stage.scaleV = (1.0f - kCellShrink) / static_cast<float>(rows);
        stage.offsetU = (static_cast<float>(column) + kCellInset) / static_cast<float>(columns);
        stage.offsetV = (row + kCellInset) / static_cast<float>(rows);
        stage.currentFrame = 0;
        break;
    }
    case ShaderStage::DiffuseAnimation:
    case ShaderStage::OpacityAnimation:
    case ShaderStage::DiffuseAndOpacityAnimation:
    {
        auto frame = static_cast<std::uint64_t>(time);
        if (frame >= stage.frameCount)
            frame %= AtLeastOne(stage.frameCount);
        stage.currentFrame = static_cast<std::uint32_t>(frame);
        break;
    }
    default:
        break;
    }
}

std::uint32_t GetStageSlotCount(const ShaderStage& stage)
{
    switch (stage.animationType)
    {
    case ShaderStage::DiffuseAnimation:
    case ShaderStage::OpacityAnimation:
    case ShaderStage::DiffuseAndOpacityAnimation:
        return stage.frameCount;
    default:
        return 1;
    }
}

std::string MakeFrameFileName(const std::string& name, std::uint32_t slotCount, std::uint32_t frame)
{
    const std::uint32_t digits = DecimalDigits(slotCount);
    const std::string extension = GetExtension(name);
    const auto kept = static_cast<std::int64_t>(name.size()) - static_cast<std::int64_t>(extension.size()) -
                      static_cast<std::int64_t>(digits) - 1;
    const std::string prefix = kept < 0 ? name : name.substr(0, static_cast<std::size_t>(kept));
    return prefix + UIntToString(frame, digits) + "." + extension;
}

std::string FindStageTextureFile(const FileManager& files, const std::string& name)
{
    std::string path = ToLower(MakeDataPath(name));
    if (!HasExtension(path, "jpg") || files.Exists(path))
        return path;
    for (const char* extension : {"jp2", "bmp"})
    {
        ChangeExtension(path, extension);
        if (files.Exists(path))
            return path;
    }
    ChangeExtension(path, "jpg");
    return path;
}

} // namespace OrvaneEngine
