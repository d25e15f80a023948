// The model render pass: ModelManager::Render over N registered models
// (update, cull, sort, draw) at 1,000, 3,000 and 10,000 models, for textured
// boxes (all visible, or every second one behind the camera), morph boxes
// rewriting their vertices every frame and boxes skinned to four bones.
//
// Device set: the Direct3D 7 render system over GL (llvmpipe when headless),
// one iteration being one pass and a one-pixel read-back, so queued GL work
// is counted. Its floor is the same boxes drawn by a bare GL loop (one matrix
// load and one glDrawRangeElements per box from the same client arrays);
// engine_per_bare is the engine's overhead per model against it.
// Device-free set: the same passes on a render system that takes draws and
// state changes without a device: the engine's own update, cull and sort.
// Sort: 10,000 random depths in render order against a plain float sort.
//
// per_model should stay about flat from 1,000 to 10,000 models (the sort
// adds log n); clearly more points at something quadratic, such as registry
// walks or render-list reallocation.
#include "bench/support/PairedRounds.h"
#include "bench/support/StartDevice.h"
#include "content/ImageFixtures.h"
#include "content/ModelFileWriter.h"
#include "content/ModelMeshes.h"
#include "content/ShaderFileWriter.h"
#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/VertexBuffer.h"
#include "platform/d3d7/testing/BareQuads.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "platform/d3d7/testing/SurfaceProbe.h"
#include "tests/support/ModelServices.h"
#include "tests/support/RecordingRenderSystem.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{

using namespace OrvaneEngine;
using namespace corvellan::content;

enum class Kind
{
    Boxes,
    HalfCulled,
    Morph,
    Skinned,
};

// Takes every draw and state change and does nothing with it.
class NullRenderSystem : public corvellan::test::RecordingRenderSystem
{
public:
    using RecordingRenderSystem::RecordingRenderSystem;

    Camera* CreateCamera(std::uint32_t type) override { return new Camera(type); }
    void DrawIndexedPrimitive(bool, IndexBuffer*, VertexBuffer*, std::uint32_t primitives) override
    {
        drawn += primitives;
    }
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

    std::uint64_t drawn = 0;
};

// A data folder with a textured box, a morph box of 8 frames and a box
// skinned to four bones over 8 frames, each with its shader and picture.
class DataFolder
{
public:
    DataFolder()
    {
        const ModelFileRecord box = MakeBoxMesh({-1, -1, -1}, {1, 1, 1});
        std::vector<ModelFileRecord> frames;
        for (int frame = 0; frame < 8; ++frame)
            frames.push_back(MakeBoxMesh({-1, -1, -1}, {1.0f + 0.1f * static_cast<float>(frame), 1, 1}));
        ModelFileRecord skinned = MakeOneBoneModel(box, {}, 10.0f);
        skinned.frameCount = 8;
        skinned.bones.resize(4, skinned.bones.front());
        for (int frame = 0; frame < 8; ++frame)
            for (int bone = 0; bone < 4; ++bone)
                skinned.keys.push_back(MakeKey({0.1f * static_cast<float>(frame), 0.05f * static_cast<float>(bone), 0}));
        for (std::size_t vertex = 0; vertex < skinned.skinned.size(); ++vertex)
        {
            ModelFileInfluence& first = skinned.skinned[vertex].influences.front();
            first.bone = static_cast<std::uint16_t>(vertex % 4);
            first.weight = 0.5f;
            ModelFileInfluence second = first;
            second.bone = static_cast<std::uint16_t>((vertex + 1) % 4);
            skinned.skinned[vertex].influences.push_back(second);
        }
        ready = Write("box", box) && Write("morph", MakeMorphModel(frames, 10.0f)) && Write("skinned", skinned);
    }

    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

    corvellan::test::TempFolder folder{"corvellan-bench"};
    const std::string root = folder.Path();
    bool ready = false;

private:
    bool Write(const std::string& name, const ModelFileRecord& record)
    {
        if (!ModelFileWriter::WriteTo(root + "/data/" + name + ".mlf", record))
            return false;
        std::string pixels;
        for (int pixel = 0; pixel < 16 * 16; ++pixel)
            pixels += std::string{static_cast<char>(pixel), static_cast<char>(200), static_cast<char>(255 - pixel)};
        std::ofstream(root + "/data/" + name + ".tga", std::ios::binary) << Tga(16, 16, TgaLayout{}, pixels);
        ShaderFileRecord shader;
        ShaderFileStage stage;
        stage.diffuseName = name + ".tga";
        shader.stages.push_back(stage);
        return ShaderFileWriter::WriteTo(root + "/data/" + name + ".srf", shader);
    }
};

// The services of the model pass over a given render system.
struct Services
{
    Services(MessageManager* log, FileManager* files, Config* config, Window* window, RenderSystem* renderSystem_)
        : renderSystem(renderSystem_), cameras(log, window, renderSystem_), lights(log, renderSystem_),
          shaders(log, files, &timers, config, renderSystem_),
          models(log, files, &timers, renderSystem_, &cameras, &lights, &shaders)
    {
        timers.frameTime = 0.016f;
    }

    // n models on a grid in front of the default camera; with HalfCulled
    // every second one lies behind it. Animated ones loop at their own speeds.
    void Fill(Kind kind, std::int64_t n)
    {
        const char* name = kind == Kind::Morph ? "morph.mlf" : kind == Kind::Skinned ? "skinned.mlf" : "box.mlf";
        std::unique_ptr<Model> source(models.LoadModelResource(
            name, nullptr, Model::FlagVisible | Model::FlagDepthTest | Model::FlagOpaque));
        for (std::int64_t index = 0; index < n; ++index)
        {
            Model* model = models.CloneModel(source.get());
            const float x = static_cast<float>(index % 100) - 50.0f;
            const float y = static_cast<float>((index / 100) % 100) - 50.0f;
            const bool behind = kind == Kind::HalfCulled && index % 2 == 1;
            Matrix4::Translation(model->worldMatrix, Vector3(x * 2.0f, y * 2.0f, behind ? 300.0f : -300.0f));
            model->boundingVolume.SetMatrix(model->worldMatrix);
            worlds.push_back(model->worldMatrix);
            model->GetAnimationControl()->repeat = true;
            model->GetAnimationControl()->speed = 10.0f + static_cast<float>(index % 7);
            model->GetAnimationControl()->Play();
        }
    }

    // The engine's render steps for these services.
    void Pass()
    {
        cameras.Update();
        lights.Update();
        shaders.Update();
        models.Render();
    }

    RenderSystem* renderSystem;
    TimerManager timers;
    CameraManager cameras;
    LightManager lights;
    ShaderManager shaders;
    ModelManager models;
    std::vector<Matrix4> worlds;
};

// The real device on an 800 x 600 window.
class DeviceStage
{
public:
    DeviceStage()
    {
        if (!data.ready)
            return;
        d3d7::MachineDescription machine = d3d7::testing::GetDefaultMachine();
        machine.adapters.at(0).desktop = win32::DesktopMode{1024, 768, 32, 60};
        d3d7::testing::SetMachine(machine);
        files = std::make_unique<FileManager>(&log, data.root, "Data");
        config = std::make_unique<Config>(&log, files.get(), data.root, "Bench", false, "800x600x32", false, false);
        config->videoMode = "800x600x32";
        config->fullscreen = false;
        if (!corvellan::bench::StartDevice([&] {
                window = std::make_unique<Window>(&log, config.get(), "Model bench", 0, 0, false, 800, 600, false,
                                                  true, 0, 0);
                renderSystem = std::make_unique<RenderSystem_D3D7>(&log, config.get(), window.get(), false, false);
            }))
            return;
        if (!renderSystem->ready)
            return;
        services = std::make_unique<Services>(&log, files.get(), config.get(), window.get(), renderSystem.get());
    }

    ~DeviceStage()
    {
        services.reset();
        renderSystem.reset();
        window.reset();
        d3d7::testing::ResetAll();
    }

    DeviceStage(const DeviceStage&) = delete;
    DeviceStage& operator=(const DeviceStage&) = delete;

    // One pixel of the back buffer: waits for GL to finish the frame.
    std::uint8_t ReadBack() const { return d3d7::testing::ReadColor(renderSystem->backBuffer, 400, 300).g; }

    DataFolder data;
    MessageManager log{"Bench", false, false, "", ""};
    std::unique_ptr<FileManager> files;
    std::unique_ptr<Config> config;
    std::unique_ptr<Window> window;
    std::unique_ptr<RenderSystem_D3D7> renderSystem;
    std::unique_ptr<Services> services;
};

class RecordingStage
{
public:
    RecordingStage()
    {
        files = std::make_unique<FileManager>(&log, data.root, "Data");
        config = std::make_unique<Config>(&log, files.get(), data.root, "Bench", false, "800x600x32", false, false);
        renderSystem = std::make_unique<NullRenderSystem>(&log, config.get());
        renderSystem->ready = true;
        renderSystem->InitTextureStages();
        services = std::make_unique<Services>(&log, files.get(), config.get(), nullptr, renderSystem.get());
        corvellan::test::ModelServices::UsePerspective(*services->cameras.defaultCamera);
    }

    ~RecordingStage() { services.reset(); }

    RecordingStage(const RecordingStage&) = delete;
    RecordingStage& operator=(const RecordingStage&) = delete;

    DataFolder data;
    MessageManager log{"Bench", false, false, "", ""};
    std::unique_ptr<FileManager> files;
    std::unique_ptr<Config> config;
    std::unique_ptr<NullRenderSystem> renderSystem;
    std::unique_ptr<Services> services;
};

using Clock = std::chrono::steady_clock;

// Nanoseconds per box of the bare loop, by box count, for the ratio.
std::map<std::int64_t, double>& BareTimes()
{
    static std::map<std::int64_t, double> times;
    return times;
}

void Report(benchmark::State& state, const ModelManager* models)
{
    state.SetComplexityN(state.range(0));
    state.counters["per_model"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
    if (models != nullptr)
        state.counters["drawn"] = models->drawnModels;
}

// Against the bare loop's time at the same size, when it ran before.
void ReportAgainstBare(benchmark::State& state, double seconds, bool bare)
{
    const double frames = static_cast<double>(state.iterations());
    const double perModel = frames > 0 ? seconds * 1e9 / (frames * static_cast<double>(state.range(0))) : 0.0;
    if (bare)
    {
        BareTimes()[state.range(0)] = perModel;
        return;
    }
    const auto floor = BareTimes().find(state.range(0));
    if (floor != BareTimes().end() && floor->second > 0.0)
        state.counters["engine_per_bare"] = perModel / floor->second;
}

void BareGLBoxes(benchmark::State& state)
{
    DeviceStage stage;
    if (!stage.services)
    {
        state.SkipWithError("no drawing device");
        return;
    }
    Services& services = *stage.services;
    services.Fill(Kind::Boxes, state.range(0));
    services.Pass();
    // The box in the coloured layout the bare loop reads.
    std::unique_ptr<Model> box(services.models.LoadModelResource("box.mlf", nullptr, Model::FlagColored));
    // projection * view * world as GL loads it: the row-vector product, whose
    // storage read column by column is the column-vector matrix.
    const Camera& camera = *services.cameras.defaultCamera;
    std::vector<std::array<float, 16>> matrices;
    for (const Matrix4& world : services.worlds)
    {
        Matrix4 rowVectors = world;
        rowVectors.Transpose();
        const Matrix4 clip = rowVectors.Multiply(camera.view).Multiply(camera.projection);
        std::array<float, 16> matrix{};
        std::copy(std::begin(clip.m), std::end(clip.m), matrix.begin());
        matrices.push_back(matrix);
    }
    std::vector<std::uint16_t> indices(36);
    std::memcpy(indices.data(), box->GetIndexBuffer()->GetData(), indices.size() * 2);
    std::vector<std::uint8_t> rgba(16 * 16 * 4, 200);
    d3d7::testing::BareQuads bare(stage.renderSystem->backBuffer, box->GetVertexBuffer()->GetData(), 24,
                                  indices.data(), 36, rgba.data(), 16, 16);
    if (!bare.IsReady())
    {
        state.SkipWithError("no GL texture");
        return;
    }
    bare.DrawFrame(matrices);
    double seconds = 0.0;
    for (auto _ : state)
    {
        const Clock::time_point start = Clock::now();
        bare.DrawFrame(matrices);
        benchmark::DoNotOptimize(stage.ReadBack());
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    Report(state, nullptr);
    ReportAgainstBare(state, seconds, true);
}

void DevicePass(benchmark::State& state, Kind kind)
{
    DeviceStage stage;
    if (!stage.services)
    {
        state.SkipWithError("no drawing device");
        return;
    }
    stage.services->Fill(kind, state.range(0));
    // The first pass uploads the textures and sends every state.
    stage.services->Pass();
    stage.ReadBack();
    double seconds = 0.0;
    for (auto _ : state)
    {
        const Clock::time_point start = Clock::now();
        stage.services->Pass();
        benchmark::DoNotOptimize(stage.ReadBack());
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    Report(state, &stage.services->models);
    if (kind == Kind::Boxes)
        ReportAgainstBare(state, seconds, false);
}

void RecordingPass(benchmark::State& state, Kind kind)
{
    RecordingStage stage;
    stage.services->Fill(kind, state.range(0));
    stage.services->Pass();
    for (auto _ : state)
    {
        stage.services->Pass();
        benchmark::DoNotOptimize(stage.renderSystem->drawn);
    }
    Report(state, &stage.services->models);
}

// Random depths in both groups, sorted in render order as the pass sorts
// them, paired round by round with a sort of the same depths as plain floats.
void SortModels(benchmark::State& state)
{
    RecordingStage stage;
    const auto n = static_cast<std::size_t>(state.range(0));
    std::mt19937 random(7);
    std::uniform_real_distribution<float> depth(-100.0f, 100.0f);
    std::vector<Model*> list;
    std::vector<float> depths;
    for (std::size_t index = 0; index < n; ++index)
    {
        Model* model =
            stage.services->models.CreateModel(index % 3 ? Model::FlagOpaque : Model::FlagBlended, 3, 3, 1);
        model->depth = depth(random);
        list.push_back(model);
        depths.push_back(model->depth);
    }
    // Sorts per round, so that a round is long enough to time.
    constexpr int Sorts = 20;
    std::vector<Model*> work;
    std::vector<float> floats;
    RenderListSorter sorter;
    corvellan::bench::PairedRounds::Run(
        state,
        [&] {
            for (int sort = 0; sort < Sorts; ++sort)
            {
                work = list;
                sorter.Sort(work);
                benchmark::DoNotOptimize(work.data());
            }
            return static_cast<std::int64_t>(Sorts * work.size());
        },
        [&] {
            for (int sort = 0; sort < Sorts; ++sort)
            {
                floats = depths;
                std::sort(floats.begin(), floats.end());
                benchmark::DoNotOptimize(floats.data());
            }
            return static_cast<std::int64_t>(Sorts * floats.size());
        });
}

void Sizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Arg(1000)->Arg(3000)->Arg(10000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
}

} // namespace

// GL draws on llvmpipe's own threads: the device set runs on wall time.
BENCHMARK(BareGLBoxes)->Apply(Sizes)->UseRealTime();
BENCHMARK_CAPTURE(DevicePass, Boxes, Kind::Boxes)->Apply(Sizes)->UseRealTime();
BENCHMARK_CAPTURE(DevicePass, HalfCulled, Kind::HalfCulled)->Apply(Sizes)->UseRealTime();
BENCHMARK_CAPTURE(DevicePass, Morph, Kind::Morph)->Apply(Sizes)->UseRealTime();
BENCHMARK_CAPTURE(DevicePass, Skinned, Kind::Skinned)->Apply(Sizes)->UseRealTime();
BENCHMARK_CAPTURE(RecordingPass, Boxes, Kind::Boxes)->Apply(Sizes);
BENCHMARK_CAPTURE(RecordingPass, HalfCulled, Kind::HalfCulled)->Apply(Sizes);
BENCHMARK_CAPTURE(RecordingPass, Morph, Kind::Morph)->Apply(Sizes);
BENCHMARK_CAPTURE(RecordingPass, Skinned, Kind::Skinned)->Apply(Sizes);
BENCHMARK(SortModels)
    ->Name("Models/Sort_vs_SortFloats")
    ->Arg(10000)
    ->Iterations(corvellan::bench::PairedRounds::FullRounds);
BENCHMARK(BareGLBoxes)->Name("BareGLBoxes/smoke")->Arg(50)->UseRealTime();
BENCHMARK_CAPTURE(DevicePass, Boxes, Kind::Boxes)->Name("DevicePass/Boxes/smoke")->Arg(50)->UseRealTime();
BENCHMARK_CAPTURE(RecordingPass, Boxes, Kind::Boxes)->Name("RecordingPass/Boxes/smoke")->Arg(100);
BENCHMARK(SortModels)
    ->Name("Models/Sort_vs_SortFloats/smoke")
    ->Arg(100)
    ->Iterations(corvellan::bench::PairedRounds::SmokeRounds);
