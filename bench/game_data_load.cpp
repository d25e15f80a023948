// Loading the game's resources against its floor, in paired rounds:
// GameData::LoadAll over a data set holding every model and particle system
// it names (small quads and plain effects, all in one pack), the data made
// and deleted per round, against a bare fopen and fread of the same pack
// file's bytes. The ratio is what the load costs beyond getting its bytes off
// the disk: parsing, the models' buffers, the particle systems, the keeper's
// maps and the two windows. Both sides tally the pack's bytes; the project's
// round counts them only when no box stood in for a missing file.
//
// Headless engine on the offscreen video driver; the load makes no drawing call.
#include "bench/support/PairedRounds.h"
#include "bench/support/StartDevice.h"
#include "content/BackgroundLayersWriter.h"
#include "content/ModelFileWriter.h"
#include "content/ModelMeshes.h"
#include "content/PackWriter.h"
#include "content/ParticleFileWriter.h"
#include "engine/core/Engine.h"
#include "engine/render/Model.h"
#include "engine/render/VertexBuffer.h"
#include "game/GameData.h"
#include "tests/support/EngineFixture.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{

using corvellan::bench::PairedRounds;
using namespace corvellan::content;

constexpr const char* ParticleFiles[] = {
    "game_objects\\depository\\path_start_effect.psf", "game_objects\\depository\\path_finish_effect.psf",
    "game_objects\\board\\level_complete_effect.psf",  "game_objects\\board\\tip_effect.psf",
    "ui\\menus\\particles\\cursor_train.psf",          "ui\\menus\\particles\\cursor_click.psf",
    "ui\\menus\\particles\\upgrade.psf",               "ui\\menus\\background\\particles\\glow.psf",
};

// Every model the game data names, and the quad a real file gives.
bool IsQuad(const OrvaneEngine::Model* model)
{
    return model->GetVertexBuffer()->GetVertexCount() == 4;
}

// The engine over a pack holding every file of the game data.
class Stage
{
public:
    Stage()
    {
        engine.settings.packFolder = "Data";
        const std::string layers =
            BackgroundLayersWriter::Build({{"hills", "_none_", false, 0}, {"castle", "glow", false, 1}});
        PackWriter pack;
        pack.Add("data/ui/menus/background/background.ini", layers);
        if (!corvellan::bench::StartDevice([&] { engine.Start(); }))
            return;
        // A first load over the bare layer list names every model: the boxes
        // put in their place carry the file names.
        std::filesystem::create_directories(engine.folder.Join("data/ui/menus/background"));
        std::FILE* list = std::fopen(engine.folder.Join("data/ui/menus/background/background.ini").c_str(), "wb");
        if (list == nullptr)
            return;
        std::fwrite(layers.data(), 1, layers.size(), list);
        std::fclose(list);
        std::vector<std::string> models;
        {
            Mirabel::GameData names(engine.engine.get(), "en");
            names.Load();
            for (const auto& [key, model] : names.GetModels())
                models.push_back(model->GetName());
        }
        std::filesystem::remove_all(engine.folder.Join("data"));

        const std::string quad = ModelFileWriter::Build(MakeQuadMesh(-1.0f, -1.0f, 1.0f, 1.0f));
        ParticleFileRecord effect;
        effect.gravityOn = 0;
        effect.floorOn = 0;
        const std::string system = ParticleFileWriter::Build(effect);
        for (const std::string& model : models)
            pack.Add("data\\" + model, quad);
        for (const char* file : ParticleFiles)
            pack.Add(std::string("data\\") + file, system);
        packPath = engine.folder.Join("data/pack0.pak");
        if (!pack.WriteTo(packPath))
            return;
        packBytes = static_cast<std::int64_t>(std::filesystem::file_size(packPath));
        modelCount = models.size();
        if (!corvellan::bench::StartDevice([&] { engine.Start(); }))
            return;
        ready = true;
    }

    corvellan::test::EngineFixture engine;
    std::string packPath;
    std::int64_t packBytes = 0;
    std::size_t modelCount = 0;
    bool ready = false;
};

void LoadAgainstPackRead(benchmark::State& state)
{
    Stage stage;
    if (!stage.ready)
    {
        state.SkipWithError("no engine or no data set");
        return;
    }
    std::vector<char> buffer(static_cast<std::size_t>(stage.packBytes));
    PairedRounds::Run(
        state,
        [&] {
            Mirabel::GameData data(stage.engine.engine.get(), "en");
            data.Load();
            std::size_t quads = 0;
            for (const auto& [key, model] : data.GetModels())
                quads += IsQuad(model) ? 1 : 0;
            return quads == stage.modelCount ? stage.packBytes : -1;
        },
        [&] {
            std::FILE* file = std::fopen(stage.packPath.c_str(), "rb");
            const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
            benchmark::DoNotOptimize(buffer.data());
            std::fclose(file);
            return static_cast<std::int64_t>(got);
        });
    state.counters["models"] = static_cast<double>(stage.modelCount);
}

} // namespace

BENCHMARK(LoadAgainstPackRead)
    ->Name("GameData/LoadAll_vs_FreadPack")
    ->Iterations(PairedRounds::FullRounds);
BENCHMARK(LoadAgainstPackRead)
    ->Name("GameData/LoadAll_vs_FreadPack/smoke")
    ->Iterations(PairedRounds::SmokeRounds);
