#include "content/ModelMeshes.h"
#include "engine/render/AnimationControl.h"
#include "tests/engine/render/ModelFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <cmath>
#include <limits>
#include <vector>

namespace OrvaneEngine
{
namespace
{

using namespace corvellan::content;

class ModelManagerTest : public corvellan::test::ModelFixture
{
protected:
    // A registered box 10 units in front of the default camera.
    Model* AddBox(std::uint32_t flags, float depth)
    {
        Model* model = models.CreateModel(Model::FlagList | Model::FlagVisible | Model::FlagFixedDepth | flags, 3, 3,
                                          1);
        model->boundingVolume.SetBox(Vector3(-1, -1, -11), Vector3(1, 1, -9));
        model->depth = depth;
        return model;
    }

    // The models in the order their draws reached the device.
    std::vector<Model*> DrawOrder(const std::vector<Model*>& candidates) const
    {
        std::vector<Model*> order;
        for (const auto& draw : renderSystem.draws)
            for (Model* model : candidates)
                if (model->GetIndexBuffer() == draw.indexBuffer)
                    order.push_back(model);
        return order;
    }
};

TEST_F(ModelManagerTest, OpaqueModelsComeFirstNearToFarThenBlendedOnesFarToNear)
{
    Model* blendedNear = AddBox(Model::FlagBlended, -5);
    Model* opaqueFar = AddBox(Model::FlagOpaque, 3);
    Model* blendedFar = AddBox(Model::FlagBlended, 3);
    Model* opaqueNear = AddBox(Model::FlagOpaque, -5);
    models.Render();
    EXPECT_EQ(DrawOrder({blendedNear, opaqueFar, blendedFar, opaqueNear}),
              (std::vector<Model*>{opaqueNear, opaqueFar, blendedFar, blendedNear}));
    std::vector<std::string> names;
    for (const auto& call : renderSystem.calls)
        if (call.name == "BeginScene" || call.name == "EndScene" || call.name == "DrawIndexedPrimitive")
            names.push_back(call.name);
    EXPECT_EQ(names.front(), "BeginScene");
    EXPECT_EQ(names.back(), "EndScene");
    EXPECT_EQ(names.size(), 6u);
}

// The render list sorts by keys made from the models, not by CompareModels
// itself; whatever the groups and depths (NaN, both zeros, infinities, ties,
// lists short and long), the result must be the stable sort by CompareModels.
TEST_F(ModelManagerTest, RenderListSortsAsAStableSortByCompareModels)
{
    const float specials[] = {std::numeric_limits<float>::quiet_NaN(),
                              0.0f,
                              -0.0f,
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(),
                              std::numeric_limits<float>::denorm_min(),
                              -std::numeric_limits<float>::denorm_min(),
                              1.0f,
                              -1.0f};
    const std::uint32_t groups[] = {Model::FlagOpaque, Model::FlagBlended, Model::FlagOpaque | Model::FlagBlended, 0};
    std::vector<Model*> all;
    std::uint32_t state = 1;
    for (int index = 0; index < 3000; ++index)
    {
        state = state * 1103515245u + 12345u;
        const float depth = (state >> 8) % 4 == 0 ? specials[(state >> 12) % std::size(specials)]
                                                  : static_cast<float>(static_cast<int>((state >> 10) % 2001) - 1000) / 8;
        all.push_back(AddBox(groups[(state >> 20) % std::size(groups)], depth));
    }
    RenderListSorter sorter;
    for (const std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{48}, std::size_t{49},
                                    std::size_t{300}, std::size_t{2048}, std::size_t{2049}, all.size()})
    {
        std::vector<Model*> list(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(count));
        std::vector<Model*> expected = list;
        std::stable_sort(expected.begin(), expected.end(), CompareModels);
        sorter.Sort(list);
        EXPECT_EQ(list, expected) << count;
    }
}

TEST_F(ModelManagerTest, CompareModelsIsAStrictWeakOrderingForAnyModels)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<Model*> all = {
        AddBox(Model::FlagOpaque, 1),   AddBox(Model::FlagOpaque, -2), AddBox(Model::FlagOpaque, nan),
        AddBox(Model::FlagBlended, 1),  AddBox(Model::FlagBlended, 0), AddBox(Model::FlagBlended, nan),
        AddBox(0, 4),                   AddBox(0, -4),                 AddBox(0, nan),
        AddBox(Model::FlagOpaque | Model::FlagBlended, 0.5f),
        AddBox(Model::FlagOpaque | Model::FlagBlended, nan),
    };
    // Constructors keep the flags they are given, both group bits included.
    EXPECT_EQ(all[9]->GetFlags() & 0x600, 0x600u);
    auto less = [](Model* a, Model* b) { return CompareModels(a, b); };
    auto equivalent = [&](Model* a, Model* b) { return !less(a, b) && !less(b, a); };
    for (Model* a : all)
    {
        EXPECT_FALSE(less(a, a));
        for (Model* b : all)
        {
            if (less(a, b))
            {
                EXPECT_FALSE(less(b, a));
            }
            for (Model* c : all)
            {
                if (less(a, b) && less(b, c))
                {
                    EXPECT_TRUE(less(a, c));
                }
                if (equivalent(a, b) && equivalent(b, c))
                {
                    EXPECT_TRUE(equivalent(a, c));
                }
            }
        }
    }

    // Well-formed models keep the plain meaning.
    EXPECT_TRUE(less(all[1], all[0]));
    EXPECT_TRUE(less(all[0], all[3]));
    EXPECT_TRUE(less(all[3], all[4]));
    EXPECT_FALSE(less(all[3], all[0]));

    // Drawn in that order; models of neither group last, in slot order.
    models.Render();
    const std::vector<Model*> order = DrawOrder(all);
    ASSERT_EQ(order.size(), all.size());
    EXPECT_EQ(std::vector<Model*>(order.end() - 3, order.end()), (std::vector<Model*>{all[6], all[7], all[8]}));
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end(), less));
}

TEST_F(ModelManagerTest, CountersCountVisibleModelsAndWhatWasDrawn)
{
    AddBox(Model::FlagOpaque, 0);
    AddBox(Model::FlagOpaque, 0);
    Model* behind = AddBox(Model::FlagOpaque, 0);
    behind->boundingVolume.SetBox(Vector3(-1, -1, 9), Vector3(1, 1, 11));
    Model* hidden = AddBox(Model::FlagOpaque, 0);
    hidden->ClearFlags(Model::FlagVisible);
    models.Render();
    EXPECT_EQ(models.visibleModels, 3u);
    EXPECT_EQ(models.drawnModels, 2u);
    EXPECT_EQ(models.triangles, 3u);
    EXPECT_EQ(models.trianglesDrawn, 2u);
    EXPECT_EQ(renderSystem.draws.size(), 2u);
}

TEST_F(ModelManagerTest, ReleaseDeletesOnlyRegisteredModels)
{
    Model* registered = AddBox(Model::FlagOpaque, 0);
    std::unique_ptr<Model> resource(models.CreateBoxModelResource(Vector3(0, 0, 0), Vector3(1, 1, 1)));
    EXPECT_EQ(models.GetModelCount(), 1u);
    models.ReleaseModel(resource.get());
    models.ReleaseModel(nullptr);
    EXPECT_EQ(models.GetModelCount(), 1u);
    EXPECT_EQ(resource->GetName(), "box");
    resource->Update(false);

    std::unique_ptr<Model> copy(models.CloneModelResource(resource.get()));
    EXPECT_EQ(models.GetModelCount(), 1u);
    Model* clone = models.CloneModel(copy.get());
    EXPECT_EQ(models.GetModelCount(), 2u);
    EXPECT_EQ(clone->GetName(), "box");

    models.ReleaseModel(registered);
    models.ReleaseModel(clone);
    EXPECT_EQ(models.GetModelCount(), 0u);
    models.Render();
    EXPECT_TRUE(renderSystem.draws.empty());
}

TEST_F(ModelManagerTest, NothingMovesWhileTheDeviceIsNotReady)
{
    Put("morph.mlf", MakeMorphModel({MakeQuadMesh(0, 0, 1, 1, -10), MakeQuadMesh(1, 0, 2, 1, -10)}, 1.0f));
    Model* model = models.LoadModel("morph.mlf", nullptr, Model::FlagVisible);
    model->GetAnimationControl()->Play();
    timers.frameTime = 0.25f;
    models.Render();
    EXPECT_EQ(models.visibleModels, 1u);
    EXPECT_FLOAT_EQ(model->GetAnimationControl()->time, 0.25f);

    renderSystem.ready = false;
    renderSystem.ClearCalls();
    renderSystem.draws.clear();
    models.Render();
    models.Present();
    EXPECT_FLOAT_EQ(model->GetAnimationControl()->time, 0.25f);
    EXPECT_EQ(models.visibleModels, 0u);
    EXPECT_EQ(models.drawnModels, 0u);
    EXPECT_EQ(models.triangles, 0u);
    EXPECT_EQ(models.trianglesDrawn, 0u);
    EXPECT_TRUE(renderSystem.calls.empty());

    renderSystem.ready = true;
    models.Present();
    EXPECT_EQ(renderSystem.Count("SwapBuffers"), 1u);
}

TEST_F(ModelManagerTest, HiddenModelsAnimateButCountNowhere)
{
    Put("morph.mlf", MakeMorphModel({MakeQuadMesh(0, 0, 1, 1, -10), MakeQuadMesh(1, 0, 2, 1, -10)}, 1.0f));
    Model* model = models.LoadModel("morph.mlf");
    model->GetAnimationControl()->Play();
    timers.frameTime = 0.25f;
    models.Render();
    EXPECT_FLOAT_EQ(model->GetAnimationControl()->time, 0.25f);
    EXPECT_EQ(models.visibleModels, 0u);
    EXPECT_EQ(models.triangles, 0u);
    EXPECT_TRUE(renderSystem.draws.empty());
}

} // namespace
} // namespace OrvaneEngine
