// One frame of the application object against the engine's bare frame, in
// paired rounds: GameBase::FrameStep of the idle test game (logos shown, no
// level) against Engine::Update + Engine::Frame(0) on the same headless
// engine. The ratio above 1 is the framework's own cost per frame: focus and
// mode checks, the debug commands, music fades, the screen passes and the
// cursor. Both sides count the frames they presented.
#include "bench/support/PairedRounds.h"
#include "bench/support/StartDevice.h"
#include "engine/core/Engine.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/support/TestGame.h"
#include "tests/support/TestGameFolders.h"
#include "tests/support/TestGameJournal.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace
{

using corvellan::bench::PairedRounds;

void FrameStepAgainstEngineFrame(benchmark::State& state)
{
    corvellan::test::TestGameFolders folders;
    corvellan::test::TestGameJournal journal;
    std::unique_ptr<corvellan::test::TestGame> game;
    if (!corvellan::bench::StartDevice(
            [&] { game = std::make_unique<corvellan::test::TestGame>(journal, corvellan::test::TestGame::Options{}); }))
    {
        state.SkipWithError("no engine");
        return;
    }
    OrvaneEngine::Engine* engine = game->GetEngine();
    const std::int64_t frames = state.range(0);
    PairedRounds::Run(
        state,
        [&] {
            const std::uint32_t before = d3d7::testing::GetPresentCount();
            for (std::int64_t i = 0; i < frames; ++i)
                game->FrameStep();
            return static_cast<std::int64_t>(d3d7::testing::GetPresentCount() - before);
        },
        [&] {
            const std::uint32_t before = d3d7::testing::GetPresentCount();
            for (std::int64_t i = 0; i < frames; ++i)
            {
                engine->Update();
                engine->Frame(0);
            }
            return static_cast<std::int64_t>(d3d7::testing::GetPresentCount() - before);
        });
    state.counters["frames"] = static_cast<double>(frames);
}

} // namespace

BENCHMARK(FrameStepAgainstEngineFrame)
    ->Name("GameBase/FrameStep_vs_EngineFrame")
    ->Arg(100)
    ->Iterations(PairedRounds::FullRounds);
BENCHMARK(FrameStepAgainstEngineFrame)
    ->Name("GameBase/FrameStep_vs_EngineFrame/smoke")
    ->Arg(5)
    ->Iterations(PairedRounds::SmokeRounds);
