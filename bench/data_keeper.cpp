// Loading a resource list: DataKeeper::Load of a list naming 200 models (each
// a copy of one small quad model in its own file), keeper made and deleted
// per iteration, against a bare loop of ModelManager::LoadModelResource over
// the same file names, the models deleted likewise. The models' reading is
// common to both; the difference is the keeper's own cost: the XML, the name
// substitution, the maps and its four default objects. keeper_per_bare near 1
// is the goal; per_model should stay flat from 200 upwards.
//
// Headless engine on the offscreen video driver; no drawing happens, as the
// keeper's loading makes no drawing call.
#include "bench/support/StartDevice.h"
#include "content/ModelFileWriter.h"
#include "content/ModelMeshes.h"
#include "content/ResourceListWriter.h"
#include "engine/core/Engine.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"
#include "framework/DataKeeper.h"
#include "tests/support/EngineFixture.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{

using corvellan::content::ResourceElement;

// A keeper over one list, as a game's keeper fills its lists.
class ListKeeper : public GameFramework::DataKeeper
{
public:
    ListKeeper(OrvaneEngine::Engine* engine, const std::string& list) : DataKeeper(engine, "en", true)
    {
        resourceFiles.push_back(list);
    }
};

std::string ModelFile(std::int64_t index)
{
    std::string digits = std::to_string(index);
    return "m_" + std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits + ".mlf";
}

// The engine, n model files under data\lists and the list naming them.
class Stage
{
public:
    explicit Stage(std::int64_t n)
    {
        ResourceElement list{"resources", {}, "", {}};
        for (std::int64_t index = 0; index < n; ++index)
        {
            const std::string file = ModelFile(index);
            if (!corvellan::content::ModelFileWriter::WriteTo(engine.folder.Join("data/lists/" + file),
                                                               corvellan::content::MakeQuadMesh(-1, -1, 1, 1)))
                return;
            list.children.push_back({"model", {{"name", file.substr(0, file.size() - 4)}, {"file_name", file}}, "", {}});
            // The keeper's folder of the list ("lists") before each name.
            names.push_back("lists\\" + file);
        }
        if (!corvellan::content::ResourceListWriter::WriteTo(engine.folder.Join("data/lists/models.xml"), list,
                                                             corvellan::content::ResourceListEncoding::Utf8))
            return;
        if (!corvellan::bench::StartDevice([&] { engine.Start(); }))
            return;
        // A wrong path would time the box fallback instead of the file.
        std::unique_ptr<OrvaneEngine::Model> probe(engine.engine->modelManager->LoadModelResource(names.front()));
        ready = probe->GetVertexBuffer()->GetVertexCount() == 4;
    }

    corvellan::test::EngineFixture engine;
    const std::string list = "data\\lists\\models.xml";
    std::vector<std::string> names;
    bool ready = false;
};

using Clock = std::chrono::steady_clock;

// Nanoseconds per model of the bare loop, by model count, for the ratio.
std::map<std::int64_t, double>& BareTimes()
{
    static std::map<std::int64_t, double> times;
    return times;
}

double Report(benchmark::State& state, double seconds)
{
    state.counters["per_model"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
    const double loads = static_cast<double>(state.iterations()) * static_cast<double>(state.range(0));
    return loads > 0 ? seconds * 1e9 / loads : 0.0;
}

void BareLoads(benchmark::State& state)
{
    Stage stage(state.range(0));
    if (!stage.ready)
    {
        state.SkipWithError("no engine or no model files");
        return;
    }
    OrvaneEngine::ModelManager& models = *stage.engine.engine->modelManager;
    std::vector<OrvaneEngine::Model*> loaded;
    loaded.reserve(stage.names.size());
    double seconds = 0.0;
    for (auto _ : state)
    {
        const Clock::time_point start = Clock::now();
        for (const std::string& name : stage.names)
            loaded.push_back(models.LoadModelResource(name));
        for (OrvaneEngine::Model* model : loaded)
            delete model;
        loaded.clear();
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    BareTimes()[state.range(0)] = Report(state, seconds);
}

void KeeperLoad(benchmark::State& state)
{
    Stage stage(state.range(0));
    if (!stage.ready)
    {
        state.SkipWithError("no engine or no model files");
        return;
    }
    std::size_t registered = 0;
    double seconds = 0.0;
    for (auto _ : state)
    {
        const Clock::time_point start = Clock::now();
        {
            ListKeeper keeper(stage.engine.engine.get(), stage.list);
            keeper.Load();
            registered = keeper.GetModels().size();
        }
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    if (registered != stage.names.size())
    {
        state.SkipWithError("the keeper did not register every model");
        return;
    }
    const double perModel = Report(state, seconds);
    const auto floor = BareTimes().find(state.range(0));
    if (floor != BareTimes().end() && floor->second > 0.0)
        state.counters["keeper_per_bare"] = perModel / floor->second;
}

} // namespace

BENCHMARK(BareLoads)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(KeeperLoad)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BareLoads)->Name("BareLoads/smoke")->Arg(20);
BENCHMARK(KeeperLoad)->Name("KeeperLoad/smoke")->Arg(20);
