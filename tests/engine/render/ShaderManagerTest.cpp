#include "content/ShaderFileWriter.h"
#include "engine/core/Color.h"
#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Image.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RecordingRenderSystem.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
namespace
{

using corvellan::content::ShaderFileRecord;
using corvellan::content::ShaderFileStage;
using corvellan::content::ShaderFileWriter;

class ShaderManagerTest : public ::testing::Test
{
protected:
    ShaderManagerTest()
    {
        SeedRandom(77);
        render.InitTextureStages();
        render.ClearCalls();
        log.ClearMessages();
    }

    void Put(const std::string& relative, const std::string& bytes)
    {
        ASSERT_TRUE(corvellan::test::WriteFileBytes(root.Join(relative), bytes));
    }

    std::vector<std::string> Entries(std::uint32_t level) const
    {
        std::vector<std::string> texts;
        for (std::int32_t index = 0; index < log.GetMessageCount(); ++index)
        {
            const LogMessage entry = log.GetMessage(static_cast<std::uint32_t>(index));
            if (entry.level == level)
                texts.push_back(entry.text);
        }
        return texts;
    }

    // The keys of every texture alive, sorted.
    std::vector<std::string> TextureKeys() const
    {
        std::vector<Texture2D*> textures;
        manager->GetTextureManager()->GetTextures(textures);
        std::vector<std::string> keys;
        for (Texture2D* texture : textures)
            keys.push_back(texture->GetKey());
        std::sort(keys.begin(), keys.end());
        return keys;
    }

    static ShaderDescriptor Descriptor(std::uint32_t flags, std::uint32_t stageFlags, std::uint32_t type,
                                       std::uint32_t frames, const std::string& diffuse,
                                       const std::string& opacity = "")
    {
        ShaderDescriptor descriptor(flags);
        descriptor.SetBlendFactor(0, 4);
        descriptor.SetBlendFactor(1, 5);
        descriptor.AddStage(stageFlags, type, type == 1 ? 4 : 1, type == 1 ? 2 : 1, frames, 8.0f, diffuse, opacity, 0);
        return descriptor;
    }

    // A picture the texture manager takes over.
    static Image* SmallImage()
    {
        auto* image = new Image;
        image->Create(nullptr, 2, 2, 24);
        image->Fill(Color(1.0f, 0.5f, 0.0f, 1.0f));
        return image;
    }

    corvellan::test::TempFolder root;
    MessageManager log{"Test", false, false, "", ""};
    FileManager files{&log, root.Path(), "Data"};
    TimerManager timers;
    Config config{&log, &files, root.Path(), "test", false, "800x600x32", false, false};
    corvellan::test::RecordingRenderSystem render{&log, &config};
    std::unique_ptr<ShaderManager> manager =
        std::make_unique<ShaderManager>(&log, &files, &timers, &config, &render);
};

TEST_F(ShaderManagerTest, UsersOfOneFileShareOneShaderAndItsTextures)
{
    ShaderFileRecord record;
    ShaderFileStage first;
    first.diffuseName = "Wall.tga";
    first.opacityName = "wall_a.tga";
    ShaderFileStage second;
    second.diffuseName = "ui\\detail.bmp";
    record.stages = {first, second};
    Put("data/models/wall.srf", ShaderFileWriter::Build(record));

    ShaderUser* a = manager->LoadShaderUser("models\\wall.srf");
    ShaderUser* b = manager->LoadShaderUser("models\\wall.srf");
    EXPECT_EQ(a->GetShader(), b->GetShader());
    EXPECT_EQ(manager->GetShaderCount(), 1u);
    EXPECT_EQ(manager->GetShaderUserCount(), 2u);
    EXPECT_EQ(a->GetShader()->GetUserCount(), 2u);
    const std::vector<std::string> keys = {"diffuse_data\\models\\wall.tga_plus_opacity_data\\models\\wall_a.tga",
                                           "diffuse_data\\ui\\detail.bmp"};
    EXPECT_EQ(TextureKeys(), keys);
    std::vector<Texture2D*> textures;
    manager->GetTextureManager()->GetTextures(textures);
    for (Texture2D* texture : textures)
        EXPECT_EQ(texture->referenceCount, 1) << texture->GetKey();

    manager->RemoveShaderUser(a);
    EXPECT_EQ(manager->GetShaderCount(), 1u);
    EXPECT_EQ(b->GetShader()->GetUserCount(), 1u);
    EXPECT_EQ(TextureKeys(), keys);
    manager->RemoveShaderUser(b);
    EXPECT_EQ(manager->GetShaderCount(), 0u);
    EXPECT_EQ(manager->GetShaderUserCount(), 0u);
    EXPECT_EQ(manager->GetTextureManager()->GetTextureCount(), 0u);
    manager->RemoveShaderUser(nullptr);
}

TEST_F(ShaderManagerTest, BlendingAndFiltersComeFromEachUser)
{
    ShaderUser* blended = manager->AddShaderUser(Descriptor(1, 1, 0, 0, "a.tga"));
    ShaderUser* opaque = manager->AddShaderUser(Descriptor(0, 0, 0, 0, "a.tga"));
    ASSERT_EQ(blended->GetShader(), opaque->GetShader());
    EXPECT_EQ(manager->GetShaderCount(), 1u);

    Texture2D* texture = blended->GetShader()->GetStageTexture(0, 0);
    ASSERT_NE(texture, nullptr);
    blended->Apply();
    EXPECT_TRUE(render.alphaBlend);
    EXPECT_EQ(render.sourceBlend, 4u);
    EXPECT_EQ(render.destinationBlend, 5u);
    EXPECT_EQ(render.stageTexture[0], texture);
    EXPECT_EQ(render.stageFilter[0], 2u);
    opaque->Apply();
    EXPECT_FALSE(render.alphaBlend);
    EXPECT_EQ(render.sourceBlend, 4u) << "an unblended user leaves the factors";
    EXPECT_EQ(render.stageFilter[0], 1u);

    // Applying the same user again reaches the device not at all.
    render.ClearCalls();
    opaque->Apply();
    EXPECT_TRUE(render.calls.empty());
}

TEST_F(ShaderManagerTest, ApplySetsEveryStageStateAndClearsTheDevicesOtherStages)
{
    ShaderDescriptor two = Descriptor(0, 0, 0, 0, "a.tga");
    two.AddStage(0, 0, 1, 1, 0, 0.0f, "b.tga", "", 1);
    ShaderUser* both = manager->AddShaderUser(two);
    ShaderUser* one = manager->AddShaderUser(Descriptor(0, 0, 1, 8, "c.tga"));
    one->stages[0].addressU = 1;
    one->stages[0].addressV = 0;

    both->Apply();
    ASSERT_NE(render.stageTexture[1], nullptr);
    EXPECT_EQ(render.stageAddressU[1], 1u);
    one->Update();
    one->Apply();
    EXPECT_EQ(render.stageTexture[0], one->GetShader()->GetStageTexture(0, 0));
    EXPECT_EQ(render.stageTexture[1], nullptr);
    EXPECT_EQ(render.stageAddressU[0], 1u);
    EXPECT_EQ(render.stageAddressV[0], 0u);
    const std::array<float, 4> transform = {0.2475f, 0.495f, 0.00125f, 0.5025f};
    for (std::size_t index = 0; index < 4; ++index)
        EXPECT_NEAR(render.stageTransform[0][index], transform[index], 1e-6f);

    // A frame without a slot (a damaged current frame) binds no texture.
    ShaderUser* frames = manager->AddShaderUser(Descriptor(0, 0, 2, 3, "f0.tga"));
    frames->stages[0].currentFrame = 7;
    frames->Apply();
    EXPECT_EQ(render.stageTexture[0], nullptr);
}

TEST_F(ShaderManagerTest, FrameFilesAndTheJpgFallback)
{
    Put("data/fx/fire3.bmp", "x");
    ShaderUser* user = manager->AddShaderUser(Descriptor(0, 0, 2, 5, "fx\\Fire0.JPG"));
    EXPECT_EQ(user->GetShader()->GetSlotCount(0), 5u);
    EXPECT_EQ(TextureKeys(), (std::vector<std::string>{"diffuse_data\\fx\\fire0.jpg", "diffuse_data\\fx\\fire1.jpg",
                                                       "diffuse_data\\fx\\fire2.jpg", "diffuse_data\\fx\\fire3.bmp",
                                                       "diffuse_data\\fx\\fire4.jpg"}));
    // Frame 3 draws its own texture.
    user->animationTime[0] = 3.5f;
    user->Update();
    user->Apply();
    EXPECT_EQ(render.stageTexture[0]->GetKey(), "diffuse_data\\fx\\fire3.bmp");

    ShaderUser* both = manager->AddShaderUser(Descriptor(0, 1, 4, 2, "d0.tga", "o0.tga"));
    EXPECT_EQ(both->GetShader()->GetSlotCount(0), 2u);
    const std::vector<std::string> keys = TextureKeys();
    EXPECT_NE(std::find(keys.begin(), keys.end(), "diffuse_data\\d1.tga_plus_opacity_data\\o1.tga_with_mip_mapping"),
              keys.end());
}

TEST_F(ShaderManagerTest, DamagedFilesGiveTheDefaultDescriptor)
{
    struct Case
    {
        std::string name;
        std::string bytes;
        std::size_t errorLines;
    };
    ShaderFileRecord three;
    three.stages.resize(3);
    ShaderFileRecord tooMany;
    tooMany.stages.resize(1);
    tooMany.stages[0].animationType = 2;
    tooMany.stages[0].frameCount = 10001;
    ShaderFileRecord noColumns;
    noColumns.stages.resize(1);
    noColumns.stages[0].animationType = 1;
    noColumns.stages[0].frameCount = 4;
    noColumns.stages[0].columns = 0;
    const Case cases[] = {
        {"missing", "", 1},
        {"three stages", ShaderFileWriter::Build(three), 0},
        {"10001 frames", ShaderFileWriter::Build(tooMany), 1},
        {"no columns", ShaderFileWriter::Build(noColumns), 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        if (!c.bytes.empty())
            Put("data/bad.srf", c.bytes);
        log.ClearMessages();
        ShaderUser* user = manager->LoadShaderUser("bad.srf");
        EXPECT_EQ(user->stageCount, 0u);
        EXPECT_EQ(user->flags, 0u);
        EXPECT_EQ(Entries(2).size(), c.errorLines);
        user->Apply();
        EXPECT_FALSE(render.alphaBlend);
        EXPECT_EQ(render.stageTexture[0], nullptr);
        manager->RemoveShaderUser(user);
    }
}

TEST_F(ShaderManagerTest, RemovingAnUnknownUserIsFatal)
{
    ShaderUser* user = manager->AddShaderUser(Descriptor(0, 0, 0, 0, "a.tga"));
    // The owner renames the texture after registration; the user is still found.
    user->stages[0].diffuseName = "renamed.tga";
    user->UpdateKey();
    manager->RemoveShaderUser(user);
    EXPECT_EQ(manager->GetShaderUserCount(), 0u);

    Shader* shader = new Shader(&log, &files, &config, &render, manager->GetTextureManager(), ShaderDescriptor(0));
    ShaderUser stranger(&log, &timers, shader, ShaderDescriptor(0));
    try
    {
        manager->RemoveShaderUser(&stranger);
        FAIL() << "removed a user it does not hold";
    }
    catch (const FatalError& error)
    {
        EXPECT_EQ(error.GetText(), "Shader Manager: Failed to remove shader");
    }
    EXPECT_EQ(Entries(3), std::vector<std::string>{"PROGRAM ABORTING: Shader Manager: Failed to remove shader\n"});
}

TEST_F(ShaderManagerTest, UpdateAdvancesEveryUserAndRandomStartsDiffer)
{
    ShaderUser* grid = manager->AddShaderUser(Descriptor(0, 0, 1, 8, "grid.tga"));
    timers.frameTime = 0.0625f;
    for (int frame = 0; frame < 10; ++frame)
        manager->Update();
    EXPECT_EQ(grid->animationTime[0], 5.0f);
    EXPECT_NEAR(grid->stages[0].offsetU, 0.25125f, 1e-6f);
    EXPECT_NEAR(grid->stages[0].offsetV, 0.0025f, 1e-6f);

    ShaderUser* first = manager->AddShaderUser(Descriptor(0, 2, 1, 8, "sparks.tga"));
    ShaderUser* second = manager->AddShaderUser(Descriptor(0, 2, 1, 8, "sparks.tga"));
    EXPECT_EQ(first->GetShader(), second->GetShader());
    for (ShaderUser* user : {first, second})
    {
        EXPECT_GE(user->animationTime[0], 0.0f);
        EXPECT_LT(user->animationTime[0], 8.0f);
    }
    EXPECT_NE(first->animationTime[0], second->animationTime[0]);
}

TEST_F(ShaderManagerTest, OwnerTexturesAreReleasedWhenReplacedOrWhenTheShaderGoes)
{
    TextureManager* textures = manager->GetTextureManager();
    ShaderUser* a = manager->AddShaderUser(Descriptor(0, 4, 0, 0, "piece_1"));
    ShaderUser* b = manager->AddShaderUser(Descriptor(0, 4, 0, 0, "piece_1"));
    ASSERT_EQ(a->GetShader(), b->GetShader());
    EXPECT_EQ(textures->GetTextureCount(), 0u) << "owner stages load no files";

    Shader* shader = a->GetShader();
    EXPECT_TRUE(shader->SetStageTexture(0, 0, textures->CreateTexture(true, true, "first", "", SmallImage(), nullptr)));
    EXPECT_TRUE(shader->SetStageTexture(0, 0, textures->CreateTexture(true, true, "second", "", SmallImage(), nullptr)));
    EXPECT_EQ(TextureKeys(), std::vector<std::string>{"diffuse_second_with_mip_mapping"});
    // The same texture again, with its new reference: still one texture.
    EXPECT_TRUE(shader->SetStageTexture(0, 0, textures->CreateTexture(true, true, "second", "", SmallImage(), nullptr)));
    EXPECT_EQ(shader->GetStageTexture(0, 0)->referenceCount, 1);

    log.ClearMessages();
    Texture2D* spare = textures->CreateTexture(true, true, "spare", "", SmallImage(), nullptr);
    EXPECT_FALSE(shader->SetStageTexture(1, 0, spare));
    EXPECT_FALSE(shader->SetStageTexture(0, 1, spare));
    EXPECT_EQ(Entries(2).size(), 2u);
    textures->ReleaseTexture(spare);

    manager->RemoveShaderUser(a);
    EXPECT_EQ(textures->GetTextureCount(), 1u);
    manager->RemoveShaderUser(b);
    EXPECT_EQ(textures->GetTextureCount(), 0u);
}

TEST_F(ShaderManagerTest, FrameCountsBeyondTheLimitFromCodeLoadNothing)
{
    ShaderDescriptor huge(0);
    huge.AddStage(0, 2, 1, 1, 4000000000u, 1.0f, "f0.tga", "", 0);
    ShaderUser* user = manager->AddShaderUser(huge);
    EXPECT_EQ(user->GetShader()->GetSlotCount(0), 1u);
    EXPECT_EQ(user->GetShader()->GetStageTexture(0, 0), nullptr);
    EXPECT_EQ(manager->GetTextureManager()->GetTextureCount(), 0u);
    EXPECT_EQ(Entries(2).size(), 1u);
    timers.frameTime = 0.1f;
    user->Update();
    user->Apply();
    EXPECT_EQ(render.stageTexture[0], nullptr);
}

TEST_F(ShaderManagerTest, DestructionReleasesEveryUserThenTheTextures)
{
    manager->AddShaderUser(Descriptor(0, 0, 0, 0, "a.tga"));
    manager->AddShaderUser(Descriptor(0, 0, 2, 3, "b0.tga"));
    manager->LoadShaderUser("missing.srf");
    EXPECT_EQ(manager->GetShaderUserCount(), 3u);
    manager.reset();
}

} // namespace
} // namespace OrvaneEngine
