#include "content/ModelFileWriter.h"
#include "content/ModelMeshes.h"
#include "content/ImageFixtures.h"
#include "content/ResourceListWriter.h"
#include "content/ShaderFileWriter.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/TextureManager.h"
#include "engine/render/ShaderManager.h"
#include "framework/DataKeeper.h"
#include "framework/GUILoadingWindowBase.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/PumpHooks.h"
#include "platform/win32/testing/SleepHooks.h"
#include "platform/win32/testing/ThreadHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <new>
#include <thread>

namespace GameFramework
{
namespace
{

namespace wt = win32::testing;
using corvellan::content::ResourceElement;

// A keeper that waits until the loading loop has napped a given number of
// times, then makes real resources: the models and shader of its list, a
// particle system and a GUI window. A variant fails instead.
class LatchedKeeper : public DataKeeper
{
public:
    enum class Ending
    {
        Loads,
        Fatal,
        OutOfMemory
    };

    LatchedKeeper(OrvaneEngine::Engine* engineIn, std::vector<std::string> lists, std::size_t napsIn, Ending endingIn)
        : DataKeeper(engineIn, "en", true), naps(napsIn), ending(endingIn)
    {
        resourceFiles = std::move(lists);
    }

    void LoadAll() override
    {
        loadThread = std::this_thread::get_id();
        while (wt::GetSleepCalls().size() < naps)
            std::this_thread::yield();
        if (ending == Ending::Fatal)
            engine->messageManager->Fatal("The level's data are broken");
        if (ending == Ending::OutOfMemory)
            throw std::bad_alloc();
        DataKeeper::LoadAll();
        AddParticleSystem("sparks", engine->particleSystemManager->CreateParticleSystemResource());
        window = engine->guiManager->CreateWindow(1, {0, 0}, {100, 100}, nullptr, nullptr);
    }

    std::thread::id loadThread;
    OrvaneEngine::GUIWindow* window = nullptr;

private:
    std::size_t naps;
    Ending ending;
};

class LoadingWorkerTest : public corvellan::test::EngineTestFixture
{
protected:
    LoadingWorkerTest() : EngineTestFixture(Options{true}) {}

    void SetUp() override
    {
        wt::ResetSleep();
        wt::SetSleepRecording(true);
    }

    void TearDown() override
    {
        wt::ResetPumpHook();
        wt::ResetSleep();
        wt::ResetThreads();
    }

    // A list naming a textured quad model and a shader, with their files.
    std::vector<std::string> WriteList()
    {
        EXPECT_TRUE(corvellan::content::ModelFileWriter::WriteTo(folder.Join("data/lists/tree.mlf"),
                                                                 corvellan::content::MakeQuadMesh(-1, -1, 1, 1, -5)));
        std::string pixels;
        for (int pixel = 0; pixel < 16; ++pixel)
            pixels += std::string{'\0', '\0', '\xFF'};
        EXPECT_TRUE(corvellan::test::WriteFileBytes(folder.Join("data/lists/tree.tga"),
                                                    corvellan::content::Tga(4, 4, {}, pixels)));
        corvellan::content::ShaderFileRecord shader;
        corvellan::content::ShaderFileStage stage;
        stage.diffuseName = "lists\\tree.tga";
        shader.stages.push_back(stage);
        EXPECT_TRUE(corvellan::content::ShaderFileWriter::WriteTo(folder.Join("data/lists/tree.srf"), shader));
        ResourceElement list{"resources", {}, "", {}};
        list.children.push_back({"model", {{"name", "tree"}, {"file_name", "tree.mlf"}}, "", {}});
        list.children.push_back({"shader", {{"name", "bark"}, {"diffuse_file_name", "tree.tga"}}, "", {}});
        EXPECT_TRUE(corvellan::content::ResourceListWriter::WriteTo(folder.Join("data/lists/level.xml"), list,
                                                                    corvellan::content::ResourceListEncoding::Utf8));
        return {"data\\lists\\level.xml"};
    }
};

TEST_F(LoadingWorkerTest, AWindowedLoadRunsOnAWorkerWhileTheMainThreadPresents)
{
    Start();
    LatchedKeeper keeper(engine.get(), WriteList(), 3, LatchedKeeper::Ending::Loads);
    GUILoadingWindowBase loading(engine.get());
    loading.Show(&keeper);
    const std::uint32_t liveBefore = wt::GetLiveThreadCount();
    const std::uint32_t presentsBefore = d3d7::testing::GetPresentCount();
    const std::uint32_t offThreadBefore = d3d7::testing::GetOffThreadGlCalls();
    std::uint32_t livePeak = 0;
    wt::SetPumpHook([&livePeak] { livePeak = std::max(livePeak, wt::GetLiveThreadCount()); });

    loading.RunLoading();

    EXPECT_NE(keeper.loadThread, std::this_thread::get_id());
    EXPECT_EQ(livePeak, liveBefore + 1);
    EXPECT_EQ(wt::GetLiveThreadCount(), liveBefore) << "the worker is joined before RunLoading returns";
    EXPECT_TRUE(loading.IsDone());
    const std::vector<std::uint32_t> naps = wt::GetSleepCalls();
    ASSERT_GE(naps.size(), 3u);
    for (std::uint32_t nap : naps)
        EXPECT_EQ(nap, GUILoadingWindowBase::PollMilliseconds);
    EXPECT_GT(d3d7::testing::GetPresentCount(), presentsBefore + 3) << "one present per loop pass";
    EXPECT_EQ(d3d7::testing::GetOffThreadGlCalls(), offThreadBefore);
    EXPECT_EQ(keeper.GetModels().count("tree"), 1u);
    EXPECT_EQ(keeper.GetShaderUsers().count("bark"), 1u);
    EXPECT_EQ(keeper.GetParticleSystems().count("sparks"), 1u);
    EXPECT_NE(keeper.window, nullptr);

    loading.Hide();
    EXPECT_EQ(loading.GetDataKeeper(), nullptr);
    EXPECT_FALSE(loading.IsDone());
}

TEST_F(LoadingWorkerTest, AFullscreenLoadPresentsNothing)
{
    settings.fullscreen = true;
    Start();
    LatchedKeeper keeper(engine.get(), {}, 2, LatchedKeeper::Ending::Loads);
    GUILoadingWindowBase loading(engine.get());
    loading.Show(&keeper);
    const std::uint32_t presentsBefore = d3d7::testing::GetPresentCount();

    loading.RunLoading();

    EXPECT_GE(wt::GetSleepCalls().size(), 2u);
    EXPECT_EQ(d3d7::testing::GetPresentCount(), presentsBefore);
}

TEST_F(LoadingWorkerTest, WithoutAThreadTheLoadRunsInlineAndTheLoopEndsAtOnce)
{
    Start();
    LatchedKeeper keeper(engine.get(), WriteList(), 0, LatchedKeeper::Ending::Loads);
    GUILoadingWindowBase loading(engine.get());
    loading.Show(&keeper);
    const std::uint32_t liveBefore = wt::GetLiveThreadCount();
    const std::uint32_t presentsBefore = d3d7::testing::GetPresentCount();
    wt::RefuseNextThread();

    loading.RunLoading();

    EXPECT_EQ(keeper.loadThread, std::this_thread::get_id());
    EXPECT_EQ(wt::GetLiveThreadCount(), liveBefore);
    EXPECT_TRUE(loading.IsDone());
    EXPECT_EQ(keeper.GetModels().count("tree"), 1u);
    EXPECT_TRUE(wt::GetSleepCalls().empty()) << "one loop pass, without a nap";
    EXPECT_EQ(d3d7::testing::GetPresentCount(), presentsBefore + 1);
}

TEST_F(LoadingWorkerTest, WhatTheLoadThrowsOnTheWorkerIsThrownOnTheMainThreadAfterTheJoin)
{
    Start();
    const std::uint32_t liveBefore = wt::GetLiveThreadCount();
    {
        LatchedKeeper keeper(engine.get(), {}, 2, LatchedKeeper::Ending::Fatal);
        GUILoadingWindowBase loading(engine.get());
        loading.Show(&keeper);
        try
        {
            loading.RunLoading();
            ADD_FAILURE() << "the fatal error was lost";
        }
        catch (const OrvaneEngine::FatalError& error)
        {
            EXPECT_EQ(error.GetText(), "The level's data are broken");
        }
        EXPECT_NE(keeper.loadThread, std::this_thread::get_id());
        EXPECT_EQ(wt::GetLiveThreadCount(), liveBefore);
    }
    {
        LatchedKeeper keeper(engine.get(), {}, 1, LatchedKeeper::Ending::OutOfMemory);
        GUILoadingWindowBase loading(engine.get());
        loading.Show(&keeper);
        EXPECT_THROW(loading.RunLoading(), std::bad_alloc);
        EXPECT_EQ(wt::GetLiveThreadCount(), liveBefore);

        // The failure is not thrown again by a later load.
        LatchedKeeper good(engine.get(), {}, 0, LatchedKeeper::Ending::Loads);
        loading.Hide();
        loading.Show(&good);
        EXPECT_NO_THROW(loading.RunLoading());
    }
}

TEST_F(LoadingWorkerTest, AQuitDuringTheLoadLetsTheLoadFinishAndAsksForTheExit)
{
    Start();
    LatchedKeeper keeper(engine.get(), {}, 3, LatchedKeeper::Ending::Loads);
    GUILoadingWindowBase loading(engine.get());
    loading.Show(&keeper);
    bool pushed = false;
    wt::SetPumpHook([&pushed] {
        if (!pushed)
            pushed = wt::PushQuit();
    });

    loading.RunLoading();

    EXPECT_TRUE(pushed);
    EXPECT_TRUE(loading.IsDone());
    EXPECT_TRUE(engine->IsExiting());
}

} // namespace
} // namespace GameFramework
