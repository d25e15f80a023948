// One frame of a steady arcade level with 50 and 200 pieces: the track full
// of pieces, one piece carried over the board, two bonuses and ten floating
// texts live. The project's frame is the program's frame step with the level
// in it (Engine::Update, the sounds, GameLogic::Update, the render pass and
// the present) on the headless engine, 1 ms per frame, so nothing comes or
// goes while it is timed. Floor, paired round by round in the same GL
// context: as many quads as the level's frame drew, textured from the
// level's first piece page and blended, straight through GL, then the same
// present. The tally is the quads drawn.
// Also reported: heap allocations per GameLogic::Update, counted by the
// shared counting operator new that this program links.
#include "bench/support/PairedRounds.h"
#include "bench/support/ScreenQuads.h"
#include "bench/support/StartDevice.h"
#include "engine/core/Engine.h"
#include "engine/core/Vector3.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/Image.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/TextureManager.h"
#include "framework/SoundController.h"
#include "game/BonusManager.h"
#include "game/GameLogic.h"
#include "game/GameLogicData.h"
#include "game/Puzzle.h"
#include "game/PuzzleDepository.h"
#include "game/PuzzleElement.h"
#include "game/TexturePack.h"
#include "game/menus/GUIGameLogicTextManager.h"
#include "platform/d3d7/testing/BareQuads.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/LevelHarness.h"
#include "tests/support/LevelScripts.h"
#include "tests/support/allocation/AllocationCount.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace
{

using corvellan::test::LevelHarness;
using corvellan::test::LevelScripts;
using OrvaneEngine::Vector2;

class LevelStage
{
public:
    LevelStage(std::uint32_t columns, std::uint32_t rows)
    {
        LevelHarness::Options options;
        options.data.columns = columns;
        options.data.rows = rows;
        options.data.blocked = 0;
        options.data.pictureWidth = columns * 20;
        options.data.pictureHeight = rows * 20;
        if (!corvellan::bench::StartDevice([&] { level = std::make_unique<LevelHarness>(options); }))
            return;
        Mirabel::GameLogic& logic = level->Logic();
        const Mirabel::PuzzleDepository& track = *logic.GetTrack();
        LevelScripts scripts = level->Scripts(120.0f);
        // The track fills up to well short of its end zone.
        while (track.GetTrainDistances().empty() || track.GetTrainDistances().back() < 800.0f)
        {
            if (!scripts.Step(LevelScripts::WaitingFrame))
                return;
        }
        if (!scripts.Take(track.GetTrainPieces().front()->GetIndex()))
            return;
        scripts.Mouse().MoveTo(Vector2(120.0f, 120.0f));
        scripts.Step(LevelScripts::ActingFrame);
        const auto& train = track.GetTrainPieces();
        for (std::size_t i = 0; i < 2 && i < train.size(); ++i)
            logic.GetBonuses()->CreateBonus(train[train.size() - 1 - i]->GetIndex(), Vector2(150.0f, 100.0f + 40.0f * i));
        for (int i = 0; i < 10; ++i)
            logic.GetTextManager()->AddText(u"+100\nCombo x2", Vector2(100.0f + 50.0f * static_cast<float>(i), 400.0f));
        quads = Frame();
        for (std::int64_t i = 0; i < quads; ++i)
            matrices.push_back(corvellan::bench::ClipMatrix(static_cast<float>(i % 20) * 38.0f, static_cast<float>(i / 20 % 15) * 38.0f,
                                          30.0f, 30.0f));
        ready = quads > 0 && logic.GetState() == Mirabel::GameLogic::Running;
    }

    ~LevelStage() { level.reset(); }
    LevelStage(const LevelStage&) = delete;
    LevelStage& operator=(const LevelStage&) = delete;

    // The program's frame step with the level, 1 ms later; the quads drawn.
    std::int64_t Frame()
    {
        OrvaneEngine::Engine& engine = level->Engine();
        win32::testing::AdvanceFakeMilliseconds(1);
        engine.Update();
        level->Sounds().Update();
        level->Logic().Update();
        engine.Frame(0);
        return static_cast<std::int64_t>(engine.modelManager->trianglesDrawn / 2);
    }

    // Heap allocations per GameLogic::Update over that many frames.
    double AllocationsPerUpdate(int frames)
    {
        OrvaneEngine::Engine& engine = level->Engine();
        long made = 0;
        for (int i = 0; i < frames; ++i)
        {
            win32::testing::AdvanceFakeMilliseconds(1);
            engine.Update();
            level->Sounds().Update();
            const long before = corvellan::test::AllocationCount();
            level->Logic().Update();
            made += corvellan::test::AllocationCount() - before;
            engine.Frame(0);
        }
        return static_cast<double>(made) / frames;
    }

    OrvaneEngine::RenderSystem_D3D7& Device() const
    {
        return static_cast<OrvaneEngine::RenderSystem_D3D7&>(*level->Engine().renderSystem);
    }

    // The first piece page's picture as RGBA bytes, top row first.
    bool PagePixels(std::vector<std::uint8_t>& rgba, std::uint32_t& width, std::uint32_t& height) const
    {
        const auto& pages = level->Puzzle().texturePack->GetPages();
        if (pages.empty() || pages[0]->GetShader() == nullptr)
            return false;
        OrvaneEngine::Texture2D* texture = pages[0]->GetShader()->GetStageTexture(0, 0);
        OrvaneEngine::Image* diffuse = nullptr;
        OrvaneEngine::Image* opacity = nullptr;
        bool loaded = false;
        if (texture == nullptr ||
            !level->Engine().shaderManager->GetTextureManager()->GetImages(texture, diffuse, opacity, loaded) ||
            diffuse == nullptr)
            return false;
        width = diffuse->GetWidth();
        height = diffuse->GetHeight();
        const std::uint32_t bytes = diffuse->GetBitsPerPixel() / 8;
        rgba.assign(static_cast<std::size_t>(width) * height * 4, 255);
        for (std::size_t pixel = 0; pixel < static_cast<std::size_t>(width) * height; ++pixel)
            for (std::uint32_t c = 0; c < 3 && c < bytes; ++c)
                rgba[4 * pixel + c] = diffuse->GetPixels()[pixel * bytes + c];
        if (loaded)
        {
            delete diffuse;
            delete opacity;
        }
        return true;
    }

    void Present() { level->Engine().modelManager->Present(); }

    bool ready = false;
    std::int64_t quads = 0;
    std::vector<std::array<float, 16>> matrices;

private:
    std::unique_ptr<LevelHarness> level;
};

void LevelFrame(benchmark::State& state)
{
    const auto columns = static_cast<std::uint32_t>(state.range(0));
    const auto rows = static_cast<std::uint32_t>(state.range(1));
    const std::int64_t frames = state.range(2);
    LevelStage stage(columns, rows);
    if (!stage.ready)
    {
        state.SkipWithError("no drawing device or no steady level");
        return;
    }
    std::vector<std::uint8_t> page;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!stage.PagePixels(page, width, height))
    {
        state.SkipWithError("no piece page");
        return;
    }
    const std::vector<OrvaneEngine::ColoredVertex> unitQuad = corvellan::bench::UnitQuad();
    const std::uint16_t indices[6] = {0, 1, 2, 2, 1, 3};
    d3d7::testing::BareQuads bare(stage.Device().backBuffer, unitQuad.data(), 4, indices, 6, page.data(), width,
                                  height);
    if (!bare.IsReady())
    {
        state.SkipWithError("no GL texture");
        return;
    }
    const double perUpdate = stage.AllocationsPerUpdate(20);
    corvellan::bench::PairedRounds::Run(
        state,
        [&] {
            std::int64_t drawn = 0;
            for (std::int64_t i = 0; i < frames; ++i)
                drawn += stage.Frame();
            return drawn;
        },
        [&] {
            for (std::int64_t i = 0; i < frames; ++i)
            {
                bare.DrawFrame(stage.matrices);
                stage.Present();
            }
            return stage.quads * frames;
        });
    state.counters["pieces"] = static_cast<double>(columns * rows);
    state.counters["quads"] = static_cast<double>(stage.quads);
    state.counters["allocs_per_update"] = perUpdate;
}

} // namespace

BENCHMARK(LevelFrame)
    ->Name("GameLogic/LevelFrame")
    ->Args({10, 5, 10})
    ->Args({20, 10, 10})
    ->Iterations(corvellan::bench::PairedRounds::FullRounds);
BENCHMARK(LevelFrame)
    ->Name("GameLogic/LevelFrame/smoke")
    ->Args({10, 5, 2})
    ->Iterations(corvellan::bench::PairedRounds::SmokeRounds);
