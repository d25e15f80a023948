// Quads through the render system against the same quads straight through
// GL (llvmpipe when headless). Both draw into the same 800 x 600 back buffer:
// a 64 x 64 RGBA texture, blending (4, 5), coloured quads, each with its own
// world matrix; a frame is ended by glFinish, without a present. The bare
// loop sets its states once, then per quad loads a matrix and draws: it is
// the floor, paired round by round in the same GL context with the engine's
// frame (ratio: the median of the per-round ratios). A second pairing sets
// every state again per quad through the cached setters; the cache keeps its
// GL call count at the first pairing's.
#include "bench/support/PairedRounds.h"
#include "bench/support/StartDevice.h"
#include "engine/core/Color.h"
#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/Matrix4.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/Image.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "engine/render/VertexBuffer.h"
#include "platform/d3d7/testing/BareQuads.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{

using namespace OrvaneEngine;

class Stage
{
public:
    explicit Stage(std::int64_t quads)
    {
        d3d7::MachineDescription machine = d3d7::testing::GetDefaultMachine();
        machine.adapters.at(0).desktop = win32::DesktopMode{1024, 768, 32, 60};
        d3d7::testing::SetMachine(machine);
        log = std::make_unique<MessageManager>("Bench", false, false, "", "");
        files = std::make_unique<FileManager>(log.get(), root, "Data");
        config = std::make_unique<Config>(log.get(), files.get(), root, "Bench", false, "800x600x32", false, false);
        config->videoMode = "800x600x32";
        config->fullscreen = false;
        if (!corvellan::bench::StartDevice([&] {
                window = std::make_unique<Window>(log.get(), config.get(), "Quad bench", 0, 0, false, 800, 600,
                                                  false, true, 0, 0);
                renderSystem =
                    std::make_unique<RenderSystem_D3D7>(log.get(), config.get(), window.get(), false, false);
            }))
            return;
        textures = std::make_unique<TextureManager>(log.get(), files.get(), config.get(), nullptr, renderSystem.get());
        if (!renderSystem->ready)
            return;

        auto* picture = new Image;
        picture->Create(log.get(), 64, 64, 32);
        for (std::uint32_t i = 0; i < 64 * 64; ++i)
        {
            std::uint8_t* pixel = picture->GetPixels() + 4 * i;
            pixel[0] = static_cast<std::uint8_t>(i);
            pixel[1] = static_cast<std::uint8_t>(i / 64 * 4);
            pixel[2] = 200;
            pixel[3] = 160;
        }
        rgba.assign(picture->GetPixels(), picture->GetPixels() + 64 * 64 * 4);
        texture = textures->CreateTexture(true, false, "bench", "", picture, nullptr);

        // One small quad, drawn once per world matrix.
        vertices = renderSystem->CreateVertexBuffer(0, true, 4);
        ColoredVertex* quad = vertices->LockColoredVertices(0, 4);
        const float corners[4][2] = {{-0.02f, -0.02f}, {0.02f, -0.02f}, {0.02f, 0.02f}, {-0.02f, 0.02f}};
        for (int i = 0; i < 4; ++i)
            quad[i] = ColoredVertex{Vector3(corners[i][0], corners[i][1], -0.5f), Vector3(0.0f, 0.0f, 1.0f),
                                    0xC0FFFFFFu - static_cast<std::uint32_t>(i) * 0x10u, i == 1 || i == 2 ? 1.0f : 0.0f,
                                    i >= 2 ? 1.0f : 0.0f};
        vertices->Unlock();
        const std::uint32_t order[6] = {0, 1, 2, 0, 2, 3};
        indices = renderSystem->CreateIndexBuffer(0, 6);
        indices->SetIndices(0, 6, order);
        indices16.assign(std::begin(order), std::end(order));

        for (std::int64_t i = 0; i < quads; ++i)
        {
            const float x = -0.95f + 1.9f * static_cast<float>(i % 97) / 97.0f;
            const float y = -0.95f + 1.9f * static_cast<float>((i / 97) % 89) / 89.0f;
            Matrix4 world;
            Matrix4::Translation(world, Vector3(x, y, 0.0f));
            worlds.push_back(world);
            std::array<float, 16> bare{};
            bare[0] = bare[5] = bare[10] = bare[15] = 1.0f;
            bare[12] = x;
            bare[13] = y;
            bareMatrices.push_back(bare);
        }
        ready = texture != nullptr;
    }

    ~Stage()
    {
        textures.reset();
        vertices.reset();
        indices.reset();
        renderSystem.reset();
        window.reset();
        config.reset();
        files.reset();
        log.reset();
        d3d7::testing::ResetAll();
    }

    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;

    void SetStates()
    {
        Matrix4 identity;
        Matrix4::Identity(identity);
        renderSystem->SetViewMatrix(identity);
        renderSystem->SetTexture(0, texture);
        renderSystem->SetTextureFilter(0, TextureFilterBilinear);
        renderSystem->SetTextureAdressU(0, TextureAddressClamp);
        renderSystem->SetTextureAdressV(0, TextureAddressClamp);
        renderSystem->SetTextureTransform(0, 1.0f, 1.0f, 0.0f, 0.0f);
        renderSystem->SetTexture(1, nullptr);
        renderSystem->SetAlphaBlend(true);
        renderSystem->SetBlend(BlendSrcAlpha, BlendInvSrcAlpha);
        renderSystem->SetCullMode(CullModeNone);
        renderSystem->SetLighting(false);
        renderSystem->SetZ(false);
        renderSystem->SetZWrite(true);
        renderSystem->SetStencil(false);
    }

    corvellan::test::TempFolder folder{"corvellan-bench"};
    const std::string root = folder.Path();
    bool ready = false;
    std::unique_ptr<MessageManager> log;
    std::unique_ptr<FileManager> files;
    std::unique_ptr<Config> config;
    std::unique_ptr<Window> window;
    std::unique_ptr<RenderSystem_D3D7> renderSystem;
    std::unique_ptr<TextureManager> textures;
    Texture2D* texture = nullptr;
    std::unique_ptr<VertexBuffer> vertices;
    std::unique_ptr<IndexBuffer> indices;
    std::vector<std::uint16_t> indices16;
    std::vector<std::uint8_t> rgba;
    std::vector<Matrix4> worlds;
    std::vector<std::array<float, 16>> bareMatrices;
};

void Quads(benchmark::State& state, bool everyStatePerQuad)
{
    Stage stage(state.range(0));
    if (!stage.ready)
    {
        state.SkipWithError("no drawing device");
        return;
    }
    d3d7::testing::BareQuads bare(stage.renderSystem->backBuffer, stage.vertices->GetData(), 4,
                                  stage.indices16.data(), 6, stage.rgba.data(), 64, 64);
    if (!bare.IsReady())
    {
        state.SkipWithError("no GL texture");
        return;
    }
    RenderSystem& renderSystem = *stage.renderSystem;
    std::uint64_t engineCalls = 0;
    std::int64_t engineFrames = 0;
    const auto frame = [&] {
        const std::uint64_t calls = d3d7::testing::GetGlCallCount();
        // The bare loop's frame leaves GL's state unknown to the device, so
        // each engine frame starts by setting its states once, as a frame
        // after any foreign GL work must.
        stage.SetStates();
        renderSystem.BeginScene();
        for (const Matrix4& world : stage.worlds)
        {
            if (everyStatePerQuad)
                stage.SetStates();
            renderSystem.SetWorldMatrix(world);
            renderSystem.DrawIndexedPrimitive(false, stage.indices.get(), stage.vertices.get(), 2);
        }
        renderSystem.EndScene();
        d3d7::testing::FinishGl();
        engineCalls += d3d7::testing::GetGlCallCount() - calls;
        ++engineFrames;
        return static_cast<std::int64_t>(stage.worlds.size());
    };
    corvellan::bench::PairedRounds::Run(state, frame, [&] {
        bare.DrawFrame(stage.bareMatrices);
        return static_cast<std::int64_t>(stage.bareMatrices.size());
    });
    state.SetItemsProcessed(state.iterations() * state.range(0));
    const auto quads = static_cast<double>(state.range(0));
    state.counters["project_ns_per_quad"] = state.counters["project_us"] * 1000.0 / quads;
    state.counters["floor_ns_per_quad"] = state.counters["floor_us"] * 1000.0 / quads;
    state.counters["gl_calls_per_frame"] =
        engineFrames > 0 ? static_cast<double>(engineCalls) / static_cast<double>(engineFrames) : 0.0;
}

void RenderSystemQuads(benchmark::State& state)
{
    Quads(state, false);
}

void RenderSystemQuadsSettingEveryState(benchmark::State& state)
{
    Quads(state, true);
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* name;
        std::int64_t quads;
    } sizes[] = {{"/smoke", 10}, {"", 100}, {"", 1000}, {"", 10000}};
    for (const auto& size : sizes)
    {
        const std::string suffix = size.name;
        const std::int64_t rounds = size.quads == 10 ? corvellan::bench::PairedRounds::SmokeRounds
                                                     : corvellan::bench::PairedRounds::FullRounds;
        benchmark::RegisterBenchmark(("BM_RenderSystemQuads_vs_BareGL" + suffix).c_str(), RenderSystemQuads)
            ->Arg(size.quads)
            ->Iterations(rounds)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("BM_RenderSystemQuadsSettingEveryState_vs_BareGL" + suffix).c_str(),
                                     RenderSystemQuadsSettingEveryState)
            ->Arg(size.quads)
            ->Iterations(rounds)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
    }
    return true;
}();

} // namespace
