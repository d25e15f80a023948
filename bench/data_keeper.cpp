// Loading a resource list against its floor, in paired rounds:
// DataKeeper::Load of a list naming 200 models (each a copy of one small quad
// model in its own file), the keeper made and deleted per round, against a
// bare loop of ModelManager::LoadModelResource over the same file names, the
// models deleted likewise. The models' reading is common to both; the ratio
// above 1 is the keeper's own cost: the XML, the name substitution, the maps
// and its four default objects. Both sides count the vertices of the models
// they loaded, so a box put in for an unreadable file shows.
//
// Headless engine on the offscreen video driver; no drawing happens, as the
// keeper's loading makes no drawing call.
#include "bench/support/PairedRounds.h"
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

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace
{

using corvellan::bench::PairedRounds;
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

void KeeperAgainstLoads(benchmark::State& state)
{
    Stage stage(state.range(0));
    if (!stage.ready)
    {
        state.SkipWithError("no engine or no model files");
        return;
    }
    OrvaneEngine::Engine* engine = stage.engine.engine.get();
    std::vector<OrvaneEngine::Model*> loaded;
    loaded.reserve(stage.names.size());
    PairedRounds::Run(
        state,
        [&] {
            ListKeeper keeper(engine, stage.list);
            keeper.Load();
            std::int64_t vertices = 0;
            for (const auto& [name, model] : keeper.GetModels())
                vertices += model->GetVertexBuffer()->GetVertexCount();
            return vertices;
        },
        [&] {
            for (const std::string& name : stage.names)
                loaded.push_back(engine->modelManager->LoadModelResource(name));
            std::int64_t vertices = 0;
            for (OrvaneEngine::Model* model : loaded)
            {
                vertices += model->GetVertexBuffer()->GetVertexCount();
                delete model;
            }
            loaded.clear();
            return vertices;
        });
    state.counters["models"] = static_cast<double>(state.range(0));
}

} // namespace

BENCHMARK(KeeperAgainstLoads)
    ->Name("DataKeeper/Load_vs_LoadModelResource")
    ->Arg(200)
    ->Iterations(PairedRounds::FullRounds);
BENCHMARK(KeeperAgainstLoads)
    ->Name("DataKeeper/Load_vs_LoadModelResource/smoke")
    ->Arg(20)
    ->Iterations(PairedRounds::SmokeRounds);
