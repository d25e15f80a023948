// The render pass over an unchanged registry allocates nothing once it has
// run: the render list and the sort keep their capacity. Its own program,
// because it counts every allocation through a replaced operator new.
#include "content/ModelFileWriter.h"
#include "content/ModelMeshes.h"
#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderManager.h"
#include "tests/support/ModelServices.h"
#include "tests/support/RecordingRenderSystem.h"
#include "tests/support/TempFolder.h"
#include "tests/support/allocation/AllocationCount.h"

#include <gtest/gtest.h>


namespace OrvaneEngine
{
namespace
{

using namespace corvellan::content;

// Counts the frame's calls without recording their names, which would
// allocate for every state that changes from model to model.
class SilentRenderSystem : public corvellan::test::RecordingRenderSystem
{
public:
    using RecordingRenderSystem::RecordingRenderSystem;

    Camera* CreateCamera(std::uint32_t type) override { return new Camera(type); }

    void BeginScene() override {}
    void EndScene() override {}
    void DrawIndexedPrimitive(bool, IndexBuffer*, VertexBuffer*, std::uint32_t) override { ++draws; }
    void UpdateProjectionMatrix() override {}
    void UpdateViewMatrix() override {}
    void UpdateWorldMatrix() override {}
    void UpdateAmbientColor() override {}
    void UpdateAlphaBlend() override {}
    void UpdateBlend() override {}
    void UpdateTexture(std::uint32_t) override {}
    void UpdateMaxTextureAnisotropy(std::uint32_t) override {}
    void UpdateTextureFilter(std::uint32_t) override {}
    void UpdateTextureAdressU(std::uint32_t) override {}
    void UpdateTextureAdressV(std::uint32_t) override {}
    void UpdateTextureMatrix(std::uint32_t) override {}
    void UpdateCullMode() override {}
    void UpdateLighting() override {}
    void UpdateNormalizeNormals() override {}
    void UpdateZ() override {}
    void UpdateZWrite() override {}
    void UpdateStencil() override {}

    std::uint64_t draws = 0;
};

TEST(RenderPassAllocationTest, LaterPassesOverAnUnchangedRegistryAllocateNothing)
{
    corvellan::test::TempFolder folder;
    MessageManager log{"Test", false, false, "", ""};
    FileManager files{&log, folder.Path(), "Data"};
    Config config{&log, &files, folder.Path(), "Test", false, "800x600x32", false, false};
    TimerManager timers;
    SilentRenderSystem renderSystem{&log, &config};
    renderSystem.ready = true;
    renderSystem.InitTextureStages();
    CameraManager cameras{&log, nullptr, &renderSystem};
    corvellan::test::ModelServices::UsePerspective(*cameras.defaultCamera);
    LightManager lights{&log, &renderSystem};
    ShaderManager shaders{&log, &files, &timers, &config, &renderSystem};
    ModelManager models{&log, &files, &timers, &renderSystem, &cameras, &lights, &shaders};

    const auto put = [&](const std::string& name, const ModelFileRecord& record) {
        ASSERT_TRUE(ModelFileWriter::WriteTo(folder.Join("data/" + name), record));
    };
    put("quad.mlf", MakeQuadMesh(-1, -1, 1, 1, -10));
    put("morph.mlf", MakeMorphModel({MakeQuadMesh(0, 0, 1, 1, -10), MakeQuadMesh(1, 0, 2, 1, -10)}, 2.0f));
    put("bone.mlf", MakeOneBoneModel(MakeQuadMesh(0, 0, 1, 1, -10), {MakeKey({0, 0, 0}), MakeKey({1, 0, 0})}, 2.0f));
    for (int copy = 0; copy < 20; ++copy)
    {
        for (const char* name : {"quad.mlf", "morph.mlf", "bone.mlf"})
        {
            Model* model = models.LoadModel(name, nullptr,
                                            Model::FlagVisible | (copy % 2 ? Model::FlagBlended : Model::FlagOpaque));
            model->GetAnimationControl()->repeat = true;
            model->GetAnimationControl()->Play();
        }
    }
    Model* neither = models.CreateModel(Model::FlagVisible | Model::FlagList, 3, 3, 1);
    neither->boundingVolume.SetBox(Vector3(-1, -1, -11), Vector3(1, 1, -9));
    timers.frameTime = 0.01f;
    models.Render();
    models.Render();

    const long before = corvellan::test::AllocationCount();
    for (int pass = 0; pass < 5; ++pass)
        models.Render();
    EXPECT_EQ(corvellan::test::AllocationCount() - before, 0);
    EXPECT_EQ(models.drawnModels, 61u);
    EXPECT_EQ(renderSystem.draws, 7u * 61u);
}

} // namespace
} // namespace OrvaneEngine
