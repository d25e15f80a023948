// The framework's start-up against the engine's alone, in paired rounds: the
// test game built (its constructor and Initialize: language, variables, two
// fonts, two text files, the sound controller, the services and screens of
// the doubles) and destroyed, against an Engine built and destroyed from the
// settings the game fills. The ratio above 1 is the framework's start-up
// cost. Each side counts the engines it made.
#include "bench/support/PairedRounds.h"
#include "bench/support/StartDevice.h"
#include "engine/core/Engine.h"
#include "engine/core/EngineSettings.h"
#include "tests/support/TestGame.h"
#include "tests/support/TestGameFolders.h"
#include "tests/support/TestGameJournal.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace
{

using corvellan::bench::PairedRounds;
using corvellan::test::TestGame;

void GameStartAgainstEngineStart(benchmark::State& state)
{
    corvellan::test::TestGameFolders folders;
    corvellan::test::TestGameJournal journal;
    OrvaneEngine::EngineSettings settings;
    if (!corvellan::bench::StartDevice([&] {
            TestGame game(journal, TestGame::Options{});
            game.FillEngineSettings(settings);
        }))
    {
        state.SkipWithError("no engine");
        return;
    }
    PairedRounds::Run(
        state,
        [&] {
            journal.entries.clear();
            auto game = std::make_unique<TestGame>(journal, TestGame::Options{});
            const bool made = game->GetEngine() != nullptr;
            game.reset();
            return static_cast<std::int64_t>(made);
        },
        [&] {
            auto engine = std::make_unique<OrvaneEngine::Engine>(settings);
            engine.reset();
            return std::int64_t{1};
        });
}

} // namespace

BENCHMARK(GameStartAgainstEngineStart)->Name("GameBase/Start_vs_EngineStart")->Iterations(PairedRounds::FullRounds);
BENCHMARK(GameStartAgainstEngineStart)
    ->Name("GameBase/Start_vs_EngineStart/smoke")
    ->Iterations(PairedRounds::SmokeRounds);
