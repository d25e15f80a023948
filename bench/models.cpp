// The model render pass: ModelManager::Render over N registered models
// (update, cull, sort, draw) at 1,000, 3,000 and 10,000 models, for textured
// boxes (all visible, or every second one behind the camera), morph boxes
// rewriting their vertices every frame and boxes skinned to four bones.
//
// Device set: the Direct3D 7 render system over GL (llvmpipe when headless),
// paired round by round in one GL context with its floor: the same boxes
// drawn by a bare GL loop (one matrix load and one glDrawRangeElements per
// box from client arrays), only the visible half for the half-culled pass,
// and for morph and skinned boxes the same vertex work per model done by a
// plain loop into each model's own array. A round is one frame of each,
// ended by a one-pixel read-back so queued GL work is counted; the ratio is
// the median of the per-round ratios.
// Device-free set: the same passes on a render system that takes draws and
// state changes without a device: the engine's own update, cull and sort.
// Sort: 10,000 random depths in render order against a plain float sort.
//
// per_model should stay about flat from 1,000 to 10,000 models (the sort
// adds log n); clearly more points at something quadratic, such as registry
// walks or render-list reallocation. On llvmpipe both sides of the device set
// grow alike when the C library hands the driver's per-frame scene memory
// back to the kernel and faults it in again each frame; scripts/bench.sh
// keeps that memory in the heap so the table shows the passes themselves.
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
#include <cmath>
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
        morphFrames = frames;
        skinnedRecord = skinned;
    }

    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

    corvellan::test::TempFolder folder{"corvellan-bench"};
    const std::string root = folder.Path();
    bool ready = false;
    // What the bare floor blends and skins, as written.
    std::vector<ModelFileRecord> morphFrames;
    ModelFileRecord skinnedRecord;

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

// The bare loop's side of a device pass: the same boxes drawn straight
// through GL, and for animated kinds the same vertex work per model (two
// frames blended, or two bone influences per vertex) done by a plain loop
// into each model's own vertex array before the draws.
class BareFloor
{
public:
    BareFloor(DeviceStage& stage, Kind kind_, std::int64_t n) : kind(kind_)
    {
        Services& services = *stage.services;
        // The box in the coloured layout the bare loop reads.
        box.reset(services.models.LoadModelResource("box.mlf", nullptr, Model::FlagColored));
        const auto* boxVertices = static_cast<const std::uint8_t*>(box->GetVertexBuffer()->GetData());
        // projection * view * world as GL loads it: the row-vector product,
        // whose storage read column by column is the column-vector matrix.
        const Camera& camera = *services.cameras.defaultCamera;
        for (std::int64_t index = 0; index < n; ++index)
        {
            if (kind == Kind::HalfCulled && index % 2 == 1)
                continue;
            Matrix4 rowVectors = services.worlds.at(static_cast<std::size_t>(index));
            rowVectors.Transpose();
            const Matrix4 clip = rowVectors.Multiply(camera.view).Multiply(camera.projection);
            std::array<float, 16> matrix{};
            std::copy(std::begin(clip.m), std::end(clip.m), matrix.begin());
            matrices.push_back(matrix);
            speeds.push_back(10.0f + static_cast<float>(index % 7));
        }
        times.assign(matrices.size(), 0.0f);
        if (kind == Kind::Morph || kind == Kind::Skinned)
        {
            arrays.assign(matrices.size(), std::vector<std::uint8_t>(boxVertices, boxVertices + 24 * 36));
            for (const std::vector<std::uint8_t>& array : arrays)
                pointers.push_back(array.data());
        }
        std::vector<std::uint16_t> boxIndices(36);
        std::memcpy(boxIndices.data(), box->GetIndexBuffer()->GetData(), boxIndices.size() * 2);
        indices = boxIndices;
        rgba.assign(16 * 16 * 4, 200);
        bare = std::make_unique<d3d7::testing::BareQuads>(stage.renderSystem->backBuffer, boxVertices, 24,
                                                          indices.data(), 36, rgba.data(), 16, 16);
        const DataFolder& data = stage.data;
        frames = data.morphFrames;
        skin = data.skinnedRecord;
    }

    bool IsReady() const { return bare->IsReady(); }

    // One frame; the boxes drawn.
    std::int64_t Frame(float frameTime)
    {
        if (kind == Kind::Morph || kind == Kind::Skinned)
        {
            for (std::size_t model = 0; model < arrays.size(); ++model)
            {
                times[model] = std::fmod(times[model] + frameTime * speeds[model], 8.0f);
                const auto first = static_cast<std::size_t>(times[model]);
                const std::size_t second = (first + 1) % 8;
                const float blend = times[model] - static_cast<float>(first);
                if (kind == Kind::Morph)
                    Morph(arrays[model].data(), first, second, blend);
                else
                    Skin(arrays[model].data(), first, second, blend);
            }
        }
        bare->DrawFrame(matrices, pointers);
        return static_cast<std::int64_t>(matrices.size());
    }

private:
    static Vector3 Lerp(const Float3& a, const Float3& b, float blend)
    {
        return Vector3(a[0] + (b[0] - a[0]) * blend, a[1] + (b[1] - a[1]) * blend, a[2] + (b[2] - a[2]) * blend);
    }

    void Morph(std::uint8_t* target, std::size_t first, std::size_t second, float blend) const
    {
        const std::vector<ModelFileVertex>& a = frames[first].vertices;
        const std::vector<ModelFileVertex>& b = frames[second].vertices;
        for (std::size_t vertex = 0; vertex < 24; ++vertex, target += 36)
        {
            const Vector3 position = Lerp(a[vertex].position, b[vertex].position, blend);
            const Vector3 normal = Lerp(a[vertex].normal, b[vertex].normal, blend);
            const float uv[2] = {a[vertex].u * (1.0f - blend) + b[vertex].u * blend,
                                 a[vertex].v * (1.0f - blend) + b[vertex].v * blend};
            std::memcpy(target, &position, 12);
            std::memcpy(target + 12, &normal, 12);
            std::memcpy(target + 28, uv, 8);
        }
    }

    // Bones posed by their blended translations (the keys hold no
    // rotation), each vertex the weighted sum of its influences.
    void Skin(std::uint8_t* target, std::size_t first, std::size_t second, float blend) const
    {
        std::array<Matrix4, 4> full;
        Matrix4 rotation;
        Matrix4::Identity(rotation);
        for (std::size_t bone = 0; bone < 4; ++bone)
        {
            const ModelFileKey& a = skin.keys[first * 4 + bone];
            const ModelFileKey& b = skin.keys[second * 4 + bone];
            Matrix4::Translation(full[bone], Lerp({a[0], a[1], a[2]}, {b[0], b[1], b[2]}, blend));
        }
        for (std::size_t vertex = 0; vertex < 24; ++vertex, target += 36)
        {
            Vector3 position(0.0f, 0.0f, 0.0f);
            Vector3 normal(0.0f, 0.0f, 0.0f);
            for (const ModelFileInfluence& influence : skin.skinned[vertex].influences)
            {
                const Vector3 at(influence.position[0], influence.position[1], influence.position[2]);
                const Vector3 facing(influence.normal[0], influence.normal[1], influence.normal[2]);
                position += full[influence.bone % 4].TransformPoint(at) * influence.weight;
                normal += rotation.TransformPoint(facing) * influence.weight;
            }
            std::memcpy(target, &position, 12);
            std::memcpy(target + 12, &normal, 12);
        }
    }

    Kind kind;
    std::unique_ptr<Model> box;
    std::vector<std::array<float, 16>> matrices;
    std::vector<float> speeds;
    std::vector<float> times;
    std::vector<std::vector<std::uint8_t>> arrays;
    std::vector<const void*> pointers;
    std::vector<std::uint16_t> indices;
    std::vector<std::uint8_t> rgba;
    std::vector<ModelFileRecord> frames;
    ModelFileRecord skin;
    std::unique_ptr<d3d7::testing::BareQuads> bare;
};

// Per model of the medians over the rounds, next to PairedRounds' own.
void ReportPerModel(benchmark::State& state)
{
    const auto n = static_cast<double>(state.range(0));
    state.counters["project_ns_per_model"] = state.counters["project_us"] * 1000.0 / n;
    state.counters["floor_ns_per_model"] = state.counters["floor_us"] * 1000.0 / n;
}

// One device, the engine's pass and the bare loop's frame alternating round
// by round; each round one frame of each, ended by a one-pixel read-back so
// queued GL work is counted on its own side.
void DevicePass(benchmark::State& state, Kind kind)
{
    DeviceStage stage;
    if (!stage.services)
    {
        state.SkipWithError("no drawing device");
        return;
    }
    Services& services = *stage.services;
    services.Fill(kind, state.range(0));
    // The first pass uploads the textures and sends every state.
    services.Pass();
    stage.ReadBack();
    BareFloor floor(stage, kind, state.range(0));
    if (!floor.IsReady())
    {
        state.SkipWithError("no GL texture");
        return;
    }
    corvellan::bench::PairedRounds::Run(
        state,
        [&] {
            services.Pass();
            benchmark::DoNotOptimize(stage.ReadBack());
            return static_cast<std::int64_t>(services.models.drawnModels);
        },
        [&] {
            const std::int64_t drawn = floor.Frame(services.timers.frameTime);
            benchmark::DoNotOptimize(stage.ReadBack());
            return drawn;
        });
    ReportPerModel(state);
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
    state.SetComplexityN(state.range(0));
    state.counters["per_model"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
    state.counters["drawn"] = stage.services->models.drawnModels;
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

void DeviceSizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Arg(1000)->Arg(3000)->Arg(10000)->Iterations(corvellan::bench::PairedRounds::FullRounds)->Unit(
        benchmark::kMillisecond);
}

} // namespace

// GL draws on llvmpipe's own threads: the device set runs on wall time.
BENCHMARK_CAPTURE(DevicePass, Boxes, Kind::Boxes)->Apply(DeviceSizes)->UseRealTime();
BENCHMARK_CAPTURE(DevicePass, HalfCulled, Kind::HalfCulled)->Apply(DeviceSizes)->UseRealTime();
BENCHMARK_CAPTURE(DevicePass, Morph, Kind::Morph)->Apply(DeviceSizes)->UseRealTime();
BENCHMARK_CAPTURE(DevicePass, Skinned, Kind::Skinned)->Apply(DeviceSizes)->UseRealTime();
BENCHMARK_CAPTURE(RecordingPass, Boxes, Kind::Boxes)->Apply(Sizes);
BENCHMARK_CAPTURE(RecordingPass, HalfCulled, Kind::HalfCulled)->Apply(Sizes);
BENCHMARK_CAPTURE(RecordingPass, Morph, Kind::Morph)->Apply(Sizes);
BENCHMARK_CAPTURE(RecordingPass, Skinned, Kind::Skinned)->Apply(Sizes);
BENCHMARK(SortModels)
    ->Name("Models/Sort_vs_SortFloats")
    ->Arg(10000)
    ->Iterations(corvellan::bench::PairedRounds::FullRounds);
BENCHMARK_CAPTURE(DevicePass, Boxes, Kind::Boxes)
    ->Name("DevicePass/Boxes/smoke")
    ->Arg(50)
    ->Iterations(corvellan::bench::PairedRounds::SmokeRounds)
    ->UseRealTime();
BENCHMARK_CAPTURE(DevicePass, Morph, Kind::Morph)
    ->Name("DevicePass/Morph/smoke")
    ->Arg(50)
    ->Iterations(corvellan::bench::PairedRounds::SmokeRounds)
    ->UseRealTime();
BENCHMARK_CAPTURE(DevicePass, Skinned, Kind::Skinned)
    ->Name("DevicePass/Skinned/smoke")
    ->Arg(50)
    ->Iterations(corvellan::bench::PairedRounds::SmokeRounds)
    ->UseRealTime();
BENCHMARK_CAPTURE(RecordingPass, Boxes, Kind::Boxes)->Name("RecordingPass/Boxes/smoke")->Arg(100);
BENCHMARK(SortModels)
    ->Name("Models/Sort_vs_SortFloats/smoke")
    ->Arg(100)
    ->Iterations(corvellan::bench::PairedRounds::SmokeRounds);
