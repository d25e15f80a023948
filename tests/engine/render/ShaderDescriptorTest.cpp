#include "engine/core/Error.h"
#include "engine/render/ShaderDescriptor.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace OrvaneEngine
{
namespace
{

std::string FatalText(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (const FatalError& error)
    {
        return error.GetText();
    }
    return "no FatalError";
}

TEST(ShaderDescriptorTest, FlagsConstructorGivesTheDefaults)
{
    const ShaderDescriptor descriptor(0x12);
    EXPECT_EQ(descriptor.flags, 0x12u);
    for (const Color& color : {descriptor.ambientColor, descriptor.diffuseColor, descriptor.specularColor})
        EXPECT_FALSE(color != Color(1, 1, 1, 1));
    EXPECT_FALSE(descriptor.emissiveColor != Color(0, 0, 0, 1));
    EXPECT_EQ(descriptor.power, 0.0f);
    EXPECT_EQ(descriptor.power2, 0.0f);
    EXPECT_EQ(descriptor.sourceBlend, 0u);
    EXPECT_EQ(descriptor.destinationBlend, 0u);
    EXPECT_EQ(descriptor.stageCount, 0u);
    EXPECT_EQ(descriptor.key, 0u);
    EXPECT_EQ(MakeDefaultShaderDescriptor().flags, 0u);
    EXPECT_EQ(MakeDefaultShaderDescriptor().stageCount, 0u);
}

TEST(ShaderDescriptorTest, AddStageStoresItsValuesAndRefusesAThird)
{
    ShaderDescriptor descriptor(0);
    EXPECT_EQ(descriptor.AddStage(3, 0, 2, 2, 17, 4.0f, "Fire.TGA", "FIRE_A.tga", 0), 0u);
    EXPECT_EQ(descriptor.AddStage(4, 2, 1, 1, 12, 6.5f, "ui\\Frame00.jpg", "", 1), 1u);

    const ShaderStage& still = descriptor.stages[0];
    EXPECT_EQ(still.flags, 3u);
    EXPECT_EQ(still.frameCount, 0u) << "no animation keeps no frame count";
    EXPECT_EQ(still.diffuseName, "fire.tga");
    EXPECT_EQ(still.opacityName, "fire_a.tga");
    EXPECT_EQ(still.addressU, 0u);
    EXPECT_EQ(still.addressV, 0u);
    const ShaderStage& frames = descriptor.stages[1];
    EXPECT_EQ(frames.animationType, 2u);
    EXPECT_EQ(frames.frameCount, 12u);
    EXPECT_EQ(frames.speed, 6.5f);
    EXPECT_EQ(frames.diffuseName, "ui\\frame00.jpg");
    EXPECT_EQ(frames.addressU, 1u);
    EXPECT_EQ(frames.addressV, 1u);
    EXPECT_EQ(frames.scaleU, 1.0f);
    EXPECT_EQ(frames.scaleV, 1.0f);
    EXPECT_EQ(frames.offsetU, 0.0f);
    EXPECT_EQ(frames.offsetV, 0.0f);
    EXPECT_EQ(frames.currentFrame, 0u);
    EXPECT_EQ(descriptor.stageCount, 2u);

    EXPECT_EQ(FatalText([&] { descriptor.AddStage(0, 0, 1, 1, 0, 0.0f, "x.tga", "", 0); }),
              "Shader Stages: buffer is overflowed");
    EXPECT_EQ(descriptor.stageCount, 2u);
}

TEST(ShaderDescriptorTest, KeyIsTheSignedSumOfTheNames)
{
    ShaderDescriptor descriptor(0);
    descriptor.AddStage(0, 0, 1, 1, 0, 0.0f, "ab", "c", 0);
    EXPECT_EQ(descriptor.key, static_cast<std::uint32_t>('a' + 'b' + 'c'));
    descriptor.AddStage(0, 0, 1, 1, 0, 0.0f, "", "d", 0);
    EXPECT_EQ(descriptor.key, static_cast<std::uint32_t>('a' + 'b' + 'c' + 'd'));

    // Characters above 127 count negative, and the sum wraps.
    ShaderDescriptor high(0);
    high.AddStage(0, 0, 1, 1, 0, 0.0f, "a\xC8", "", 0);
    EXPECT_EQ(high.key, static_cast<std::uint32_t>('a' - 56));
    ShaderDescriptor negative(0);
    negative.AddStage(0, 0, 1, 1, 0, 0.0f, "\xFF", "", 0);
    EXPECT_EQ(negative.key, 0xFFFFFFFFu);
}

TEST(ShaderDescriptorTest, CopyKeepsEveryFieldAndRecomputesTheKey)
{
    ShaderDescriptor source(0x21);
    source.SetBlendFactor(0, 2);
    source.SetBlendFactor(1, 7);
    source.SetAmbientColor(Color(0.1f, 0.2f, 0.3f, 0.4f));
    source.SetEmissiveColor(Color(0.5f, 0.6f, 0.7f, 0.8f));
    source.SetPower(3.0f);
    source.SetPower2(9.0f);
    source.AddStage(1, 1, 4, 2, 8, 8.0f, "grid.tga", "", 1);
    source.stages[0].scaleU = 0.25f;
    source.stages[0].offsetV = 0.5f;
    source.stages[0].currentFrame = 3;
    // A name written after the last key update: the copy's key follows the name.
    source.stages[0].diffuseName = "grie.tga";

    const ShaderDescriptor copy(source);
    EXPECT_EQ(copy.flags, 0x21u);
    EXPECT_EQ(copy.sourceBlend, 2u);
    EXPECT_EQ(copy.destinationBlend, 7u);
    EXPECT_FALSE(copy.ambientColor != Color(0.1f, 0.2f, 0.3f, 0.4f));
    EXPECT_FALSE(copy.emissiveColor != Color(0.5f, 0.6f, 0.7f, 0.8f));
    EXPECT_EQ(copy.power, 3.0f);
    EXPECT_EQ(copy.power2, 9.0f);
    EXPECT_EQ(copy.stageCount, 1u);
    EXPECT_EQ(copy.stages[0].columns, 4u);
    EXPECT_EQ(copy.stages[0].scaleU, 0.25f);
    EXPECT_EQ(copy.stages[0].offsetV, 0.5f);
    EXPECT_EQ(copy.stages[0].currentFrame, 3u);
    EXPECT_EQ(copy.key, source.key + 1);
}

TEST(ShaderDescriptorTest, SetFlagsOrsAndSetBlendFactorIgnoresOtherIndices)
{
    ShaderDescriptor descriptor(0x4);
    descriptor.SetFlags(0x1);
    EXPECT_EQ(descriptor.flags, 0x5u);
    descriptor.SetBlendFactor(2, 9);
    EXPECT_EQ(descriptor.sourceBlend, 0u);
    EXPECT_EQ(descriptor.destinationBlend, 0u);
}

ShaderDescriptor OneStage(std::uint32_t stageFlags, std::uint32_t type, std::uint32_t frames,
                          const std::string& diffuse = "a.tga", const std::string& opacity = "b.tga")
{
    ShaderDescriptor descriptor(0);
    descriptor.AddStage(stageFlags, type, 1, 1, frames, 0.0f, diffuse, opacity, 1);
    return descriptor;
}

TEST(ShaderDescriptorTest, EqualityDecidesSharing)
{
    struct Case
    {
        std::string name;
        std::function<void(ShaderDescriptor&)> change;
        bool equal;
    };
    const Case cases[] = {
        {"blend factors", [](ShaderDescriptor& d) { d.SetBlendFactor(0, 4); d.SetBlendFactor(1, 5); }, true},
        {"blended bit", [](ShaderDescriptor& d) { d.SetFlags(ShaderDescriptor::Blended); }, true},
        {"colours and power", [](ShaderDescriptor& d) { d.SetDiffuseColor(Color(0, 0, 0, 0)); d.SetPower(5); }, true},
        {"address modes", [](ShaderDescriptor& d) { d.stages[0].addressU = 0; d.stages[0].addressV = 0; }, true},
        {"transform", [](ShaderDescriptor& d) { d.stages[0].scaleU = 3; d.stages[0].offsetV = 0.5f; }, true},
        {"grid size and speed", [](ShaderDescriptor& d) { d.stages[0].columns = 4; d.stages[0].speed = 9; }, true},
        {"mip-map and random-start bits", [](ShaderDescriptor& d) { d.stages[0].flags = 3; }, true},
        {"net against no animation", [](ShaderDescriptor& d) { d = OneStage(0, 1, 8); }, true},
        {"owner texture bit", [](ShaderDescriptor& d) { d.stages[0].flags = 4; }, false},
        {"other descriptor bit", [](ShaderDescriptor& d) { d.SetFlags(0x2); }, false},
        {"frame files against no animation", [](ShaderDescriptor& d) { d = OneStage(0, 2, 1); }, false},
        {"opacity name", [](ShaderDescriptor& d) { d = OneStage(0, 0, 0, "a.tga", "c.tga"); }, false},
        {"anagram names, same key", [](ShaderDescriptor& d) { d = OneStage(0, 0, 0, "b.tga", "a.tga"); }, false},
        {"another stage with empty names, same key",
         [](ShaderDescriptor& d) { d.AddStage(0, 0, 1, 1, 0, 0.0f, "", "", 1); }, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const ShaderDescriptor base = OneStage(0, 0, 0);
        ShaderDescriptor other = OneStage(0, 0, 0);
        c.change(other);
        EXPECT_EQ(base.Equals(other), c.equal);
        EXPECT_EQ(other.Equals(base), c.equal);
    }

    const ShaderDescriptor anagram = OneStage(0, 0, 0, "b.tga", "a.tga");
    EXPECT_EQ(anagram.key, OneStage(0, 0, 0).key);

    // Frame files share only with the same type and frame count.
    EXPECT_TRUE(OneStage(0, 2, 10).Equals(OneStage(2, 2, 10)));
    EXPECT_FALSE(OneStage(0, 2, 10).Equals(OneStage(0, 2, 9)));
    EXPECT_FALSE(OneStage(0, 2, 10).Equals(OneStage(0, 3, 10)));
    EXPECT_TRUE(ShaderDescriptor(0).Equals(ShaderDescriptor(1)));
}

TEST(ShaderDescriptorTest, ResourceConstructor)
{
    struct Case
    {
        std::string opacity;
        bool blended;
        std::string storedOpacity;
    };
    const Case cases[] = {{"32BIT", true, ""}, {"32bit", true, ""}, {"Mask.TGA", true, "mask.tga"}, {"", false, ""}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.opacity);
        const ShaderDescriptor descriptor(true, 1, 4, 2, 8, 12.0f, "Grid.TGA", c.opacity, true);
        EXPECT_EQ(descriptor.flags, c.blended ? 1u : 0u);
        EXPECT_EQ(descriptor.sourceBlend, c.blended ? 4u : 0u);
        EXPECT_EQ(descriptor.destinationBlend, c.blended ? 5u : 0u);
        ASSERT_EQ(descriptor.stageCount, 1u);
        const ShaderStage& stage = descriptor.stages[0];
        EXPECT_EQ(stage.flags, ShaderStage::MipMapped);
        EXPECT_EQ(stage.animationType, 1u);
        EXPECT_EQ(stage.columns, 4u);
        EXPECT_EQ(stage.rows, 2u);
        EXPECT_EQ(stage.frameCount, 8u);
        EXPECT_EQ(stage.speed, 12.0f);
        EXPECT_EQ(stage.diffuseName, "grid.tga");
        EXPECT_EQ(stage.opacityName, c.storedOpacity);
        EXPECT_EQ(stage.addressU, 0u);
        EXPECT_EQ(stage.addressV, 0u);
    }
    const ShaderDescriptor wrapped(false, 0, 1, 1, 5, 0.0f, "a.tga", "", false);
    EXPECT_EQ(wrapped.stages[0].flags, 0u);
    EXPECT_EQ(wrapped.stages[0].addressU, 1u);
    EXPECT_EQ(wrapped.stages[0].frameCount, 0u);
}

TEST(ShaderDescriptorTest, Factories)
{
    SetDefaultMipMapping(false);
    const ShaderDescriptor own = MakeAnimatedShaderDescriptor(1, 1, "Logo.TGA", "a_32bit.tga", true);
    EXPECT_EQ(own.flags, 1u);
    EXPECT_EQ(own.sourceBlend, 4u);
    EXPECT_EQ(own.destinationBlend, 5u);
    ASSERT_EQ(own.stageCount, 1u);
    EXPECT_EQ(own.stages[0].opacityName, "");
    EXPECT_EQ(own.stages[0].animationType, 0u);
    EXPECT_EQ(own.stages[0].frameCount, 0u);
    EXPECT_EQ(own.stages[0].addressU, 0u);
    EXPECT_EQ(own.stages[0].flags, 0u);

    // Only the lower-case text means the image's own alpha here.
    const ShaderDescriptor named = MakeAnimatedShaderDescriptor(1, 1, "Logo.TGA", "32BIT", false);
    EXPECT_EQ(named.stages[0].opacityName, "32bit");
    EXPECT_EQ(named.stages[0].addressV, 1u);

    const ShaderDescriptor noStage = MakeShaderDescriptor("", "x", true);
    EXPECT_EQ(noStage.flags, 1u);
    EXPECT_EQ(noStage.stageCount, 0u);
    EXPECT_EQ(noStage.key, 0u);

    SetDefaultMipMapping(true);
    const ShaderDescriptor grid = MakeAnimatedShaderDescriptor(4, 2, "font.tga", "", true);
    SetDefaultMipMapping(false);
    EXPECT_EQ(grid.flags, 0u);
    EXPECT_EQ(grid.sourceBlend, 0u);
    ASSERT_EQ(grid.stageCount, 1u);
    EXPECT_EQ(grid.stages[0].flags, ShaderStage::MipMapped);
    EXPECT_EQ(grid.stages[0].animationType, 1u);
    EXPECT_EQ(grid.stages[0].frameCount, 8u);
    EXPECT_EQ(grid.stages[0].speed, 0.0f);
    EXPECT_EQ(grid.stages[0].columns, 4u);
    EXPECT_EQ(grid.stages[0].rows, 2u);

    const ShaderDescriptor plain = MakeShaderDescriptor("a.tga", "", false);
    EXPECT_EQ(plain.stages[0].flags, 0u);
}

} // namespace
} // namespace OrvaneEngine
