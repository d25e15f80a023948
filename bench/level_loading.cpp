// The level loading screen's path, from Show to its result 1, for one
// level's picture data (a fixture puzzle cut into a temporary folder),
// against the same keeper loaded directly on the main thread, in paired
// rounds: the ratio is what the worker, its poll and the frames around it
// cost on top of the load itself.
//
// Headless engine on the offscreen video driver.
#include "bench/support/PairedRounds.h"
#include "bench/support/StartDevice.h"
#include "content/PhotoPicture.h"
#include "content/PuzzleCutter.h"
#include "engine/render/Image.h"
#include "framework/StageRecord.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogicData.h"
#include "game/menus/GUIGameLogicLoadingWindow.h"
#include "game/menus/GUIUnicorn.h"
#include "tests/support/MenuHarness.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

namespace
{

using corvellan::bench::PairedRounds;
using corvellan::test::MenuData;
using corvellan::test::MenuHarness;
namespace content = corvellan::content;

constexpr std::uint32_t FrameMilliseconds = 16;
constexpr int MostFrames = 100;

class LoadingStage
{
public:
    LoadingStage(std::uint32_t width, std::uint32_t height, std::uint32_t columns, std::uint32_t rows)
    {
        if (!menu.data.WriteDefault())
            return;
        OrvaneEngine::Image picture;
        content::MakePhotoPicture(picture, width, height, 5);
        content::PuzzleCutOptions options;
        options.columns = columns;
        options.rows = rows;
        if (!content::PuzzleCutter::WriteFolder(picture, options, menu.data.DataPath("puzzles\\photo")).empty())
            return;
        bool started = false;
        if (!corvellan::bench::StartDevice([&] { started = menu.StartMenus(); }) || !started)
            return;
        unicorn = std::make_unique<Mirabel::GUIUnicorn>(menu.engine, menu.sounds.get(), menu.background.get());
        screen = std::make_unique<Mirabel::GUIGameLogicLoadingWindow>(menu.engine, menu.levels.get(),
                                                                      menu.manager.get(), unicorn.get());
        menu.updates.push_back([this] { screen->Update(); });
        level.puzzleFolder = "photo";
        ready = true;
    }

    ~LoadingStage()
    {
        menu.updates.clear();
        screen.reset();
        unicorn.reset();
    }

    std::unique_ptr<Mirabel::GameLogicData> Data()
    {
        return std::make_unique<Mirabel::GameLogicData>(menu.engine, MenuData::Language, &stage, &level);
    }

    // Frames from Show until the screen answers 1; the levels loaded.
    std::int64_t ThroughScreen()
    {
        auto data = Data();
        screen->Show(data.get());
        // The result of the previous round lasts until the next update.
        int frames = 0;
        do
            menu.Step(FrameMilliseconds);
        while (screen->result != 1 && ++frames < MostFrames);
        const bool loaded = screen->result == 1;
        screen->Hide();
        return loaded ? 1 : 0;
    }

    std::int64_t Directly()
    {
        auto data = Data();
        data->Load();
        return 1;
    }

    MenuHarness menu;
    std::unique_ptr<Mirabel::GUIUnicorn> unicorn;
    std::unique_ptr<Mirabel::GUIGameLogicLoadingWindow> screen;
    GameFramework::StageRecord stage;
    Mirabel::GameLevelRecord level;
    bool ready = false;
};

void LevelLoading(benchmark::State& state)
{
    LoadingStage stage(static_cast<std::uint32_t>(state.range(0)), static_cast<std::uint32_t>(state.range(1)),
                       static_cast<std::uint32_t>(state.range(2)), static_cast<std::uint32_t>(state.range(3)));
    if (!stage.ready)
    {
        state.SkipWithError("no drawing device, menu or puzzle");
        return;
    }
    PairedRounds::Run(state, [&] { return stage.ThroughScreen(); }, [&] { return stage.Directly(); });
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* name;
        std::int64_t width, height, columns, rows, rounds;
    } loads[] = {{"/smoke", 256, 128, 4, 2, PairedRounds::SmokeRounds},
                 {"/10x5", 1024, 512, 10, 5, PairedRounds::FullRounds}};
    for (const auto& load : loads)
        benchmark::RegisterBenchmark((std::string("LevelLoading/Screen_vs_Direct") + load.name).c_str(), LevelLoading)
            ->Args({load.width, load.height, load.columns, load.rows})
            ->Iterations(load.rounds)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    return true;
}();

} // namespace
