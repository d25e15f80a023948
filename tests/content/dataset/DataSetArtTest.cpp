// The whole pack's art through the program's own readers, whichever group of
// the data set made it: shaders beside every model and particle system,
// textures that exist and that the device can take, models whose stored
// boxes hold exactly their vertices, and images that read whole.
#include "engine/core/PackFile.h"
#include "engine/render/Image.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderStageFunctions.h"
#include "engine/render/VertexBuffer.h"
#include "tests/content/dataset/DataSetExpectations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{

using namespace corvellan::test;
using OrvaneEngine::Vector3;

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string WithExtension(const std::string& name, const std::string& extension)
{
    return name.substr(0, name.rfind('.')) + "." + extension;
}

// Every entry of the pack, as "data\..." names.
std::vector<std::string> PackEntries()
{
    OrvaneEngine::MessageManager log{"Test", false, false, "", ""};
    OrvaneEngine::PackFile pack(&log, BuiltPackPath());
    std::vector<std::string> names;
    pack.FindFiles("data", "*", names);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> WithEnding(const std::vector<std::string>& names, const std::string& end)
{
    std::vector<std::string> found;
    std::copy_if(names.begin(), names.end(), std::back_inserter(found),
                 [&](const std::string& name) { return EndsWith(name, end); });
    return found;
}

// As the game names its files: below the data folder.
std::string GameName(const std::string& entry) { return entry.substr(5); }

bool IsPowerOfTwo(std::uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

struct Extent
{
    Vector3 min{1e30f, 1e30f, 1e30f};
    Vector3 max{-1e30f, -1e30f, -1e30f};

    void Add(const Vector3& p)
    {
        min = Vector3(std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z));
        max = Vector3(std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z));
    }
};

void ExpectBoxIs(const Vector3& min, const Vector3& max, const Extent& extent, const std::string& what)
{
    constexpr float Tolerance = 0.001f;
    EXPECT_NEAR(min.x, extent.min.x, Tolerance) << what;
    EXPECT_NEAR(min.y, extent.min.y, Tolerance) << what;
    EXPECT_NEAR(min.z, extent.min.z, Tolerance) << what;
    EXPECT_NEAR(max.x, extent.max.x, Tolerance) << what;
    EXPECT_NEAR(max.y, extent.max.y, Tolerance) << what;
    EXPECT_NEAR(max.z, extent.max.z, Tolerance) << what;
}

// The texture files a stage draws from, as the game names them.
std::vector<std::string> StageTextures(const OrvaneEngine::ShaderStage& stage)
{
    std::vector<std::string> names;
    const std::uint32_t slots = OrvaneEngine::GetStageSlotCount(stage);
    const bool diffusePerFrame = stage.animationType == OrvaneEngine::ShaderStage::DiffuseAnimation ||
                                 stage.animationType == OrvaneEngine::ShaderStage::DiffuseAndOpacityAnimation;
    const bool opacityPerFrame = stage.animationType == OrvaneEngine::ShaderStage::OpacityAnimation ||
                                 stage.animationType == OrvaneEngine::ShaderStage::DiffuseAndOpacityAnimation;
    for (std::uint32_t frame = 0; frame < slots; ++frame)
    {
        if (!stage.diffuseName.empty())
            names.push_back(diffusePerFrame ? OrvaneEngine::MakeFrameFileName(stage.diffuseName, slots, frame)
                                            : stage.diffuseName);
        if (!stage.opacityName.empty())
            names.push_back(opacityPerFrame ? OrvaneEngine::MakeFrameFileName(stage.opacityName, slots, frame)
                                            : stage.opacityName);
    }
    return names;
}

TEST(DataSetArtTest, EveryModelAndParticleSystemHasItsShader)
{
    const std::vector<std::string> entries = PackEntries();
    const std::set<std::string> present(entries.begin(), entries.end());
    std::size_t owners = 0;
    for (const char* end : {".mlf", ".psf"})
    {
        for (const std::string& owner : WithEnding(entries, end))
        {
            ++owners;
            EXPECT_TRUE(present.count(WithExtension(owner, "srf")) == 1) << owner;
        }
    }
    EXPECT_GT(owners, 0u);
}

TEST(DataSetArtTest, EveryShaderNamesTexturesThatExistLoadWholeAndArePowersOfTwo)
{
    const std::vector<std::string> entries = PackEntries();
    const std::set<std::string> present(entries.begin(), entries.end());
    PackedServices services;
    std::set<std::string> checked;
    for (const std::string& shaderEntry : WithEnding(entries, ".srf"))
    {
        SCOPED_TRACE(shaderEntry);
        const OrvaneEngine::ShaderDescriptor shader(&services.log, &services.files, GameName(shaderEntry));
        for (std::uint32_t s = 0; s < shader.stageCount; ++s)
        {
            // The engine knows 0 (clamp) and 1 (wrap); any other number
            // silently wraps, which no picture with a clear border wants.
            EXPECT_LE(shader.stages[s].addressU, 1u) << "stage " << s;
            EXPECT_LE(shader.stages[s].addressV, 1u) << "stage " << s;
            for (const std::string& texture : StageTextures(shader.stages[s]))
            {
                // Where the texture manager looks for it.
                const std::string file = OrvaneEngine::FindStageTextureFile(services.files, texture);
                EXPECT_EQ(present.count(file), 1u) << texture;
                if (!checked.insert(file).second)
                    continue;
                OrvaneEngine::Image image;
                ASSERT_TRUE(image.Load(&services.log, &services.files, file)) << texture;
                EXPECT_TRUE(IsPowerOfTwo(image.GetWidth()) && IsPowerOfTwo(image.GetHeight()))
                    << texture << " is " << image.GetWidth() << " x " << image.GetHeight();
            }
        }
    }
    EXPECT_TRUE(services.Entries(1).empty()) << services.Entries(1).front();
    EXPECT_TRUE(services.Entries(2).empty()) << services.Entries(2).front();
}

TEST(DataSetArtTest, EveryImageReadsWhole)
{
    PackedServices services;
    std::size_t images = 0;
    for (const char* end : {".jpg", ".tga", ".bmp"})
    {
        for (const std::string& entry : WithEnding(PackEntries(), end))
        {
            ++images;
            OrvaneEngine::Image image;
            EXPECT_TRUE(image.Load(&services.log, &services.files, entry)) << entry;
            EXPECT_FALSE(image.IsEmpty()) << entry;
        }
    }
    EXPECT_GT(images, 0u);
    EXPECT_TRUE(services.Entries(1).empty()) << services.Entries(1).front();
    EXPECT_TRUE(services.Entries(2).empty()) << services.Entries(2).front();
}

// A box that misses vertices makes the game pick, place and cull by the
// wrong rectangle, and a window built on it stands in the wrong place.
TEST(DataSetArtTest, EveryModelLoadsWithStoredBoxesAtItsVertexExtentsInEveryFrame)
{
    PackedServices services;
    std::size_t models = 0;
    for (const std::string& entry : WithEnding(PackEntries(), ".mlf"))
    {
        SCOPED_TRACE(entry);
        ++models;
        const std::unique_ptr<OrvaneEngine::Model> model = services.Load(GameName(entry));
        const std::uint32_t flags = model->GetFlags();
        if ((flags & OrvaneEngine::Model::FlagMorph) != 0)
        {
            const auto& volumes = model->GetFrameVolumes();
            const auto& vertices = model->GetMorphVertices();
            ASSERT_FALSE(volumes.empty());
            ASSERT_EQ(vertices.size() % volumes.size(), 0u);
            const std::size_t count = vertices.size() / volumes.size();
            for (std::size_t frame = 0; frame < volumes.size(); ++frame)
            {
                Extent extent;
                for (std::size_t v = 0; v < count; ++v)
                    extent.Add(vertices[frame * count + v].position);
                ExpectBoxIs(volumes[frame].localMin, volumes[frame].localMax, extent, "frame " + std::to_string(frame));
            }
        }
        else if ((flags & OrvaneEngine::Model::FlagSkeletal) == 0)
        {
            OrvaneEngine::VertexBuffer* buffer = model->GetVertexBuffer();
            ASSERT_NE(buffer, nullptr);
            const auto* bytes = static_cast<const std::uint8_t*>(buffer->Lock(0, buffer->GetVertexCount()));
            ASSERT_NE(bytes, nullptr);
            Extent extent;
            // Position leads either vertex layout.
            for (std::uint32_t v = 0; v < buffer->GetVertexCount(); ++v)
            {
                Vector3 position;
                std::memcpy(&position, bytes + std::size_t{v} * buffer->GetStride(), sizeof(position));
                extent.Add(position);
            }
            buffer->Unlock();
            ExpectBoxIs(model->boundingVolume.localMin, model->boundingVolume.localMax, extent, "the box");
        }
    }
    EXPECT_GT(models, 0u);
    EXPECT_TRUE(services.Entries(1).empty()) << services.Entries(1).front();
    EXPECT_TRUE(services.Entries(2).empty()) << services.Entries(2).front();
}

} // namespace
