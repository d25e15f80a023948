// The loading worker against the same load made inline, in paired rounds:
// GUILoadingWindowBase::RunLoading of a keeper over a list of 20 small
// models against DataKeeper::Load of such a keeper on the calling thread.
// The ratio above 1 is the worker's own cost: starting and joining the
// thread, the message pump, the presents and the 20 ms polling naps (at most
// one per load once the load is quicker than a nap).
//
// Headless engine on the offscreen video driver, windowed, so the loop
// presents as it does in the game.
#include "bench/support/PairedRounds.h"
#include "bench/support/StartDevice.h"
#include "content/ModelFileWriter.h"
#include "content/ModelMeshes.h"
#include "content/ResourceListWriter.h"
#include "engine/core/Engine.h"
#include "engine/render/Model.h"
#include "engine/render/VertexBuffer.h"
#include "framework/DataKeeper.h"
#include "framework/GUILoadingWindowBase.h"
#include "tests/support/EngineFixture.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace
{

using corvellan::bench::PairedRounds;
using corvellan::content::ResourceElement;

class LevelKeeper : public GameFramework::DataKeeper
{
public:
    LevelKeeper(OrvaneEngine::Engine* engine, const std::string& list) : DataKeeper(engine, "en", true)
    {
        resourceFiles.push_back(list);
    }

    // What the load made, the same on both sides.
    std::int64_t Vertices() const
    {
        std::int64_t vertices = 0;
        for (const auto& [name, model] : GetModels())
            vertices += model->GetVertexBuffer()->GetVertexCount();
        return vertices;
    }
};

void WorkerAgainstInline(benchmark::State& state)
{
    corvellan::test::EngineFixture fixture;
    ResourceElement list{"resources", {}, "", {}};
    for (std::int64_t index = 0; index < state.range(0); ++index)
    {
        const std::string name = "level_model_" + std::to_string(index);
        if (!corvellan::content::ModelFileWriter::WriteTo(fixture.folder.Join("data/level/" + name + ".mlf"),
                                                          corvellan::content::MakeQuadMesh(-1, -1, 1, 1)))
        {
            state.SkipWithError("the model files cannot be written");
            return;
        }
        list.children.push_back({"model", {{"name", name}, {"file_name", name + ".mlf"}}, "", {}});
    }
    if (!corvellan::content::ResourceListWriter::WriteTo(fixture.folder.Join("data/level/level.xml"), list,
                                                         corvellan::content::ResourceListEncoding::Utf8) ||
        !corvellan::bench::StartDevice([&] { fixture.Start(); }))
    {
        state.SkipWithError("no engine or no list");
        return;
    }
    OrvaneEngine::Engine* engine = fixture.engine.get();
    const std::string listPath = "data\\level\\level.xml";
    GameFramework::GUILoadingWindowBase loading(engine);
    PairedRounds::Run(
        state,
        [&] {
            LevelKeeper keeper(engine, listPath);
            loading.Show(&keeper);
            loading.RunLoading();
            loading.Hide();
            return keeper.Vertices();
        },
        [&] {
            LevelKeeper keeper(engine, listPath);
            keeper.Load();
            return keeper.Vertices();
        });
    state.counters["models"] = static_cast<double>(state.range(0));
}

} // namespace

BENCHMARK(WorkerAgainstInline)
    ->Name("Loading/RunLoading_vs_Load")
    ->Arg(20)
    ->Iterations(PairedRounds::FullRounds);
BENCHMARK(WorkerAgainstInline)
    ->Name("Loading/RunLoading_vs_Load/smoke")
    ->Arg(20)
    ->Iterations(PairedRounds::SmokeRounds);
