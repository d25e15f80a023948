#include "content/ModelFileWriter.h"
#include "content/ModelMeshes.h"
#include "content/ImageFixtures.h"
#include "content/ResourceListWriter.h"
#include "content/ShaderFileWriter.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/render/VertexBuffer.h"
#include "framework/DataKeeper.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/support/BackBuffer.h"
#include "tests/support/FileBytes.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace GameFramework
{
namespace
{

using corvellan::content::ModelFileWriter;
using corvellan::content::ResourceElement;
using corvellan::content::ResourceListEncoding;
using corvellan::content::ResourceListWriter;

TEST(DataKeeperNamesTest, CountersReplaceTheirPiecesOutermostFirst)
{
    const struct
    {
        DataKeeper::Counters counters;
        const char* text;
        std::string resolved;
    } cases[] = {
        {{{"i", 5}}, "%i3%", "005"},
        {{{"i", 5}}, "%i%", "5"},
        {{{"i", 5}}, "a%i%b%i%", "a5b5"},
        {{{"k", 2}, {"i", 5}}, "%k%_%i2%", "2_05"},
        {{{"i", 1}, {"i", 7}}, "%i%", "1"},
        {{{"i", 5}}, "%i999999999%", std::string(31, '0') + "5"},
        {{}, "%j%", "%j%"},
        {{{"i", 5}}, "%j%", "%j%"},
        {{{"i", 5}}, "100%i", "100%i"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DataKeeper::ResolveFileName(c.text, c.counters), c.resolved) << c.text;
}

// A keeper over the lists given, as a derived keeper fills them.
class ListKeeper : public DataKeeper
{
public:
    ListKeeper(OrvaneEngine::Engine* engine, std::vector<std::string> lists, const std::string& language = "en")
        : DataKeeper(engine, language, true)
    {
        resourceFiles = std::move(lists);
    }
};

class DataKeeperTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override { Start(); }

    // Writes a list under data\lists, where its folder is "lists".
    std::string PutList(const std::string& name, const ResourceElement& root)
    {
        EXPECT_TRUE(ResourceListWriter::WriteTo(folder.Join("data/lists/" + name), root, ResourceListEncoding::Utf8));
        return "data\\lists\\" + name;
    }

    std::string PutListText(const std::string& name, const std::string& text)
    {
        EXPECT_TRUE(ResourceListWriter::WriteTextTo(folder.Join("data/lists/" + name), text, ResourceListEncoding::Utf8));
        return "data\\lists\\" + name;
    }

    // A quad model (4 vertices) beside the lists; a missing file gives the box.
    void PutModel(const std::string& name)
    {
        EXPECT_TRUE(ModelFileWriter::WriteTo(folder.Join("data/lists/" + name),
                                             corvellan::content::MakeQuadMesh(-1, -1, 1, 1)));
    }

    static std::vector<std::string> Names(const std::map<std::string, OrvaneEngine::Model*>& models)
    {
        std::vector<std::string> names;
        for (const auto& entry : models)
            names.push_back(entry.first);
        return names;
    }

    // Log entries holding text.
    std::size_t Count(const std::string& text) const
    {
        std::size_t count = 0;
        const OrvaneEngine::MessageManager& log = *engine->messageManager;
        for (std::int32_t index = 0; index < log.GetMessageCount(); ++index)
            count += log.GetMessage(static_cast<std::uint32_t>(index)).text.find(text) != std::string::npos ? 1 : 0;
        return count;
    }
};

TEST_F(DataKeeperTest, LoopsRunFromStartBelowCountAndNameWhatTheyLoad)
{
    for (const char* name : {"tree_00.mlf", "tree_01.mlf", "tree_02.mlf"})
        PutModel(name);
    const ResourceElement model{"model", {{"name", "tree_%k2%"}, {"file_name", "tree_%k2%.mlf"}}, "", {}};
    const ResourceElement value{"model", {{"name", "v%i%"}}, "", {}};
    ResourceElement list{"resources", {}, "", {}};
    list.children.push_back({"loop", {{"counter", "k"}, {"start", "0"}, {"count", "3"}}, "", {model}});
    list.children.push_back({"loop", {{"start", "1"}, {"count", "3"}}, "", {value}});
    for (const char* count : {"0", "-5"})
        list.children.push_back({"loop", {{"count", count}}, "", {{"model", {{"name", "never"}}, "", {}}}});
    list.children.push_back({"loop", {}, "", {{"model", {{"name", "never"}}, "", {}}}});
    list.children.push_back({"loop", {{"start", "-3"}, {"count", "1"}}, "", {{"model", {{"name", "zero%i%"}}, "", {}}}});

    ListKeeper keeper(engine.get(), {PutList("loops.xml", list)});
    keeper.Load();
    EXPECT_EQ(Names(keeper.GetModels()),
              (std::vector<std::string>{"tree_00", "tree_01", "tree_02", "v1", "v2", "zero0"}));
    for (const char* name : {"tree_00", "tree_01", "tree_02"})
        EXPECT_EQ(keeper.GetModels().at(name)->GetVertexBuffer()->GetVertexCount(), 4u) << name;
}

TEST_F(DataKeeperTest, AHugeLoopIsCutOffAndWhatCameBeforeStays)
{
    ResourceElement list{"resources", {}, "", {}};
    list.children.push_back({"model", {{"name", "before"}}, "", {}});
    list.children.push_back({"loop", {{"count", "2000000000"}}, "", {{"group", {}, "", {}}}});
    list.children.push_back({"model", {{"name", "after"}}, "", {}});
    const std::string path = PutList("huge.xml", list);
    ListKeeper keeper(engine.get(), {path, PutList("next.xml", {"model", {{"name", "next"}}, "", {}})});
    keeper.Load();
    EXPECT_EQ(Names(keeper.GetModels()), (std::vector<std::string>{"before", "next"}));
    EXPECT_EQ(Count("loop passes"), 1u);
    EXPECT_EQ(Count(path), 1u);
}

TEST_F(DataKeeperTest, ContainersPrefixNamesAndOtherLanguagesAreSkipped)
{
    PutModel("lamp.mlf");
    ResourceElement list{"resources", {}, "", {}};
    list.children.push_back({"menu", {}, "", {{"model", {{"name", "button"}}, "", {}}}});
    list.children.push_back({"model", {{"name", "sign"}, {"language", "ru"}}, "", {}});
    list.children.push_back({"model", {{"name", "title"}, {"language", "en"}}, "", {}});
    list.children.push_back({"sound", {{"name", "ignored"}}, "", {{"model", {{"name", "inner"}}, "", {}}}});
    list.children.push_back({"model",
                             {{"name", "lamp"}, {"file_name", "lamp.mlf"}, {"color_verticies", "1"},
                              {"animation_speed", "12.5"}},
                             "",
                             {}});
    // Two top-level elements: the list's root is nameless.
    ResourceElement document{"", {}, "", {list, {"model", {{"name", "top"}}, "", {}}}};

    ListKeeper keeper(engine.get(), {PutList("names.xml", document)});
    keeper.Load();
    EXPECT_EQ(Names(keeper.GetModels()), (std::vector<std::string>{"lamp", "menu/button", "title", "top"}));
    OrvaneEngine::Model* lamp = keeper.GetModels().at("lamp");
    EXPECT_EQ(lamp->GetVertexBuffer()->GetVertexCount(), 4u);
    EXPECT_NE(lamp->GetFlags() & OrvaneEngine::Model::FlagColored, 0u);
    EXPECT_FLOAT_EQ(lamp->GetAnimationControl()->speed, 12.5f);
    // A missing file gives the box.
    EXPECT_NE(keeper.GetModels().at("top")->GetVertexBuffer()->GetVertexCount(), 4u);
}

TEST_F(DataKeeperTest, ShadersGetTheirDescriptorFromTheAttributes)
{
    ResourceElement list{"resources", {}, "", {}};
    list.children.push_back({"shader", {{"name", "plain"}, {"diffuse_file_name", "a_%i%.jpg"}, {"opacity_file_name", "32bit"}}, "", {}});
    list.children.push_back({"shader",
                             {{"name", "net"},
                              {"diffuse_file_name", "b.jpg"},
                              {"opacity_file_name", "b_a.jpg"},
                              {"animation_type", "net"},
                              {"net_size", "4 2"},
                              {"frame_count", "8"},
                              {"animation_speed", "2.5"},
                              {"clamp", "0"}},
                             "",
                             {}});
    const char* const types[] = {"diffuse", "opacity", "diffuse_and_opacity", "other"};
    for (const char* type : types)
        list.children.push_back(
            {"shader", {{"name", type}, {"diffuse_file_name", "c.jpg"}, {"animation_type", type}}, "", {}});

    ListKeeper keeper(engine.get(), {PutList("shaders.xml", list)});
    keeper.Load();
    const struct
    {
        const char* name;
        OrvaneEngine::ShaderDescriptor expected;
    } cases[] = {
        {"plain", {true, 0, 1, 1, 1, 0.0f, "lists\\a_%i%.jpg", "32bit", true}},
        {"net", {true, 1, 4, 2, 8, 2.5f, "lists\\b.jpg", "lists\\b_a.jpg", false}},
        {"diffuse", {true, 2, 1, 1, 1, 0.0f, "lists\\c.jpg", "", true}},
        {"opacity", {true, 3, 1, 1, 1, 0.0f, "lists\\c.jpg", "", true}},
        {"diffuse_and_opacity", {true, 4, 1, 1, 1, 0.0f, "lists\\c.jpg", "", true}},
        {"other", {true, 0, 1, 1, 1, 0.0f, "lists\\c.jpg", "", true}},
    };
    for (const auto& c : cases)
    {
        ASSERT_EQ(keeper.GetShaderUsers().count(c.name), 1u) << c.name;
        const OrvaneEngine::ShaderUser& user = *keeper.GetShaderUsers().at(c.name);
        ASSERT_EQ(user.stageCount, c.expected.stageCount) << c.name;
        const OrvaneEngine::ShaderStage& got = user.stages[0];
        const OrvaneEngine::ShaderStage& want = c.expected.stages[0];
        EXPECT_EQ(got.flags, want.flags) << c.name;
        EXPECT_EQ(got.animationType, want.animationType) << c.name;
        EXPECT_EQ(got.columns, want.columns) << c.name;
        EXPECT_EQ(got.rows, want.rows) << c.name;
        EXPECT_EQ(got.frameCount, want.frameCount) << c.name;
        EXPECT_FLOAT_EQ(got.speed, want.speed) << c.name;
        EXPECT_EQ(got.diffuseName, want.diffuseName) << c.name;
        EXPECT_EQ(got.opacityName, want.opacityName) << c.name;
        EXPECT_EQ(got.addressU, want.addressU) << c.name;
    }
}

TEST_F(DataKeeperTest, DuplicatesAreLoggedOnceAndReleased)
{
    OrvaneEngine::ShaderManager& shaders = *engine->shaderManager;
    ResourceElement list{"resources", {}, "", {}};
    for (int copy = 0; copy < 2; ++copy)
    {
        list.children.push_back({"model", {{"name", "x"}, {"file_name", copy == 0 ? "first.mlf" : "second.mlf"}}, "", {}});
        list.children.push_back({"shader", {{"name", "s"}, {"diffuse_file_name", "d.jpg"}}, "", {}});
    }
    ListKeeper keeper(engine.get(), {PutList("twice.xml", list)});
    keeper.Load();
    const std::uint32_t users = shaders.GetShaderUserCount();
    EXPECT_EQ(Count("(DataKeeper::AddModel): Model \"x\" is duplicated"), 1u);
    EXPECT_EQ(Count("(DataKeeper::AddShaderUser): Shader User \"s\" is duplicated"), 1u);
    EXPECT_EQ(keeper.GetModels().at("x")->GetName().find("second"), std::string::npos);

    // Only the default user and the first "s" are left.
    OrvaneEngine::ShaderUser* extra = shaders.AddShaderUser(OrvaneEngine::ShaderDescriptor(0));
    keeper.AddShaderUser("s", extra);
    EXPECT_EQ(shaders.GetShaderUserCount(), users);
    EXPECT_EQ(Count("Shader User \"s\" is duplicated"), 2u);
}

TEST_F(DataKeeperTest, GeneratedNamesCountPerMap)
{
    ListKeeper keeper(engine.get(), {});
    keeper.Load();
    OrvaneEngine::ModelManager& models = *engine->modelManager;
    keeper.AddModelByName(models.CreateBoxModelResource({1, 1, 1}, {-1, -1, -1}));
    keeper.AddModelByName(models.CreateBoxModelResource({1, 1, 1}, {-1, -1, -1}));
    keeper.AddShaderUserByName(engine->shaderManager->AddShaderUser(OrvaneEngine::ShaderDescriptor(0)));
    keeper.AddParticleSystemByName(engine->particleSystemManager->CreateParticleSystemResource());
    keeper.AddModel("a", nullptr);
    EXPECT_EQ(Names(keeper.GetModels()), (std::vector<std::string>{"123456789", "123456790"}));
    EXPECT_EQ(keeper.GetShaderUsers().begin()->first, "123456789");
    EXPECT_EQ(keeper.GetParticleSystems().begin()->first, "123456789");
}

TEST_F(DataKeeperTest, ABrokenListIsLoggedAndTheNextOneLoads)
{
    const std::string broken = PutListText("broken.xml", "<model name=\"a\"/>\r\n<model name=\"b\" name=\"c\"/>");
    const std::string good = PutList("good.xml", {"model", {{"name", "good"}}, "", {}});
    ListKeeper keeper(engine.get(), {broken, "data\\lists\\missing.xml", good});
    keeper.Load();
    EXPECT_EQ(Names(keeper.GetModels()), (std::vector<std::string>{"good"}));
    EXPECT_EQ(Count("XML format error at line 2: code 7"), 1u);
    EXPECT_EQ(Count("missing.xml"), 1u);
}

TEST_F(DataKeeperTest, DestructionReleasesEverythingItHeld)
{
    OrvaneEngine::ShaderManager& shaders = *engine->shaderManager;
    const std::uint32_t users = shaders.GetShaderUserCount();
    {
        ResourceElement list{"resources", {}, "", {}};
        list.children.push_back({"shader", {{"name", "s"}, {"diffuse_file_name", "d.jpg"}}, "", {}});
        list.children.push_back({"model", {{"name", "m"}}, "", {}});
        ListKeeper keeper(engine.get(), {PutList("some.xml", list)});
        keeper.Load();
        EXPECT_GT(shaders.GetShaderUserCount(), users);
    }
    EXPECT_EQ(shaders.GetShaderUserCount(), users);
}

TEST_F(DataKeeperTest, LoadingOnAWorkerMakesNoDrawingCallAndTheMainThreadDrawsWhatItLoaded)
{
    // A red quad 5 units in front of the default camera, with its shader and
    // picture beside it, so the worker also reads a texture.
    ASSERT_TRUE(ModelFileWriter::WriteTo(folder.Join("data/lists/tree.mlf"),
                                         corvellan::content::MakeQuadMesh(-1, -1, 1, 1, -5)));
    std::string pixels;
    for (int pixel = 0; pixel < 16; ++pixel)
        pixels += std::string{'\0', '\0', '\xFF'};
    ASSERT_TRUE(corvellan::test::WriteFileBytes(folder.Join("data/lists/tree.tga"),
                                                corvellan::content::Tga(4, 4, {}, pixels)));
    corvellan::content::ShaderFileRecord shader;
    corvellan::content::ShaderFileStage stage;
    stage.diffuseName = "lists\\tree.tga";
    shader.stages.push_back(stage);
    ASSERT_TRUE(corvellan::content::ShaderFileWriter::WriteTo(folder.Join("data/lists/tree.srf"), shader));
    ResourceElement list{"resources", {}, "", {}};
    list.children.push_back({"model", {{"name", "tree"}, {"file_name", "tree.mlf"}}, "", {}});
    list.children.push_back({"shader", {{"name", "s"}, {"diffuse_file_name", "d.jpg"}}, "", {}});
    ListKeeper keeper(engine.get(), {PutList("worker.xml", list)});
    const std::uint32_t before = d3d7::testing::GetOffThreadGlCalls();
    std::atomic<bool> done{false};
    std::thread worker([&] {
        keeper.Load();
        done = true;
    });
    while (!done)
        engine->modelManager->Present();
    worker.join();
    EXPECT_EQ(d3d7::testing::GetOffThreadGlCalls(), before);
    ASSERT_EQ(keeper.GetModels().count("tree"), 1u);

    // Registered on the main thread, the loaded quad is drawn there: its
    // buffers and its texture upload now.
    auto& renderSystem = static_cast<OrvaneEngine::RenderSystem_D3D7&>(*engine->renderSystem);
    renderSystem.clearColor = OrvaneEngine::Color(0.0f, 0.0f, 1.0f, 1.0f);
    engine->modelManager->CloneModel(keeper.GetModels().at("tree"), nullptr,
                                     OrvaneEngine::Model::FlagVisible | OrvaneEngine::Model::FlagDepthTest |
                                         OrvaneEngine::Model::FlagOpaque);
    engine->cameraManager->Update();
    engine->lightManager->Update();
    engine->shaderManager->Update();
    engine->modelManager->Render();
    corvellan::test::BackBuffer backBuffer;
    ASSERT_EQ(backBuffer.Read(renderSystem), "");
    const corvellan::test::Rgb centre = backBuffer.At(0.0f, 0.0f);
    const corvellan::test::Rgb corner = backBuffer.At(-0.98f, -0.98f);
    EXPECT_TRUE(corvellan::test::Near(centre, {255, 0, 0}, 2)) << corvellan::test::Describe(centre);
    EXPECT_TRUE(corvellan::test::Near(corner, {0, 0, 255}, 2)) << corvellan::test::Describe(corner);
    EXPECT_EQ(engine->modelManager->drawnModels, 1u);
    EXPECT_EQ(d3d7::testing::GetOffThreadGlCalls(), before);
}

} // namespace
} // namespace GameFramework
