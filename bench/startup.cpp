// The game's start-up, from the construction of Mirabel::Game to the first
// frame in which the main menu is fully open, and its shutdown, on the built
// data set with one saved profile (so the main menu is the first menu): the
// real program loop, the fake millisecond clock stepping 0.1 s a presented
// frame, so the fades, typing and animations cost frames and the figure
// measures work. Floor, paired round by round: an Engine built and destroyed
// from the settings the game fills (window and GL context through the
// stand-in), the pack read end to end through FileBinary and its JPEG
// textures decoded with Image::Load. Everything the game writes goes to a
// temporary home; the build folder is found through the registry's install
// path, as an installed game finds it.
#include "bench/support/PairedRounds.h"
#include "bench/support/StartDevice.h"
#include "engine/core/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/PackFile.h"
#include "engine/render/Image.h"
#include "platform/win32/testing/EventPush.h"
#include "tests/support/GameRun.h"
#include "tests/support/PlayerSteps.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestGameFolders.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace
{

using corvellan::bench::PairedRounds;
using corvellan::test::ExposedGame;
using corvellan::test::GameRun;
using namespace std::chrono_literals;

constexpr auto RunLimit = 120s;

std::string BuildFolder()
{
    return std::filesystem::path(CORVELLAN_DATA_PACK).parent_path().parent_path().string();
}

// The game run until its main menu is open, then asked to quit; the frames
// and the time to the menu it took, 0 frames when it never got there.
struct MenuRun
{
    std::uint32_t frames = 0;
    double toMenuMicroseconds = 0.0;
};

MenuRun RunToMainMenu(bool firstStart, OrvaneEngine::EngineSettings* settings = nullptr)
{
    GameRun run(RunLimit);
    corvellan::test::PlayerSteps player(run);
    if (firstStart)
        player.FirstStart("Bench");
    MenuRun result;
    const auto start = std::chrono::steady_clock::now();
    run.Then("main menu open", [&] { return ExposedGame::IsSettled(run.Game().mainMenuWindow); },
             [&] {
                 result.toMenuMicroseconds =
                     std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
                 result.frames = run.Frames();
                 if (settings != nullptr)
                     run.Game().FillEngineSettings(*settings);
                 win32::testing::PushQuit();
             });
    run.Play();
    if (!run.Pending().empty() || run.GetOutcome() != GameRun::Outcome::Ok)
        return {};
    return result;
}

// The pack's entries that are JPEG pictures.
std::vector<std::string> PackPictures()
{
    OrvaneEngine::PackFile pack(nullptr, CORVELLAN_DATA_PACK);
    std::vector<std::string> names;
    pack.FindFiles("data", "*.jpg", names);
    return names;
}

void StartUp(benchmark::State& state)
{
    corvellan::test::TempFolder home("corvellan-bench-home");
    corvellan::test::ScopedEnvironment homeVariable("HOME", home.Path());
    corvellan::test::TestGameFolders folders(false);
    if (!folders.WriteUserRegistry("InstallPath=" + BuildFolder() + "\n"))
    {
        state.SkipWithError("the registry file could not be written");
        return;
    }
    // The first start saves the one profile; every measured start finds it.
    OrvaneEngine::EngineSettings settings;
    if (!corvellan::bench::StartDevice([&] { RunToMainMenu(true, &settings); }) || settings.rootFolder.empty())
    {
        state.SkipWithError("the game did not reach its main menu");
        return;
    }
    OrvaneEngine::FileManager files(nullptr, BuildFolder(), "Data");
    const std::vector<std::string> pictures = PackPictures();
    std::vector<std::uint8_t> packBytes;

    MenuRun last;
    std::vector<double> toMenu;
    PairedRounds::Run(
        state,
        [&] {
            last = RunToMainMenu(false);
            toMenu.push_back(last.toMenuMicroseconds);
            return std::int64_t{last.frames > 0};
        },
        [&] {
            auto engine = std::make_unique<OrvaneEngine::Engine>(settings);
            engine.reset();
            OrvaneEngine::FileBinary pack(CORVELLAN_DATA_PACK, false);
            packBytes.resize(pack.GetSize());
            pack.Read(packBytes.data(), pack.GetSize());
            benchmark::DoNotOptimize(packBytes.data());
            std::int64_t decoded = 0;
            for (const std::string& name : pictures)
            {
                OrvaneEngine::Image image;
                decoded += image.Load(nullptr, &files, name) ? 1 : 0;
            }
            return std::int64_t{decoded == static_cast<std::int64_t>(pictures.size()) && !packBytes.empty()};
        });
    state.counters["frames"] = last.frames;
    state.counters["pictures"] = static_cast<double>(pictures.size());
    if (!toMenu.empty())
    {
        std::nth_element(toMenu.begin(), toMenu.begin() + static_cast<std::ptrdiff_t>(toMenu.size() / 2),
                         toMenu.end());
        state.counters["to_menu_us"] = toMenu[toMenu.size() / 2];
    }
}

[[maybe_unused]] const bool registered = [] {
    for (const auto& [suffix, rounds] :
         {std::pair{"/smoke", PairedRounds::SmokeRounds}, std::pair{"", PairedRounds::FullRounds}})
        benchmark::RegisterBenchmark((std::string("StartUp/GameToMainMenu_vs_EngineAndPack") + suffix).c_str(),
                                     StartUp)
            ->Iterations(rounds)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    return true;
}();

} // namespace
