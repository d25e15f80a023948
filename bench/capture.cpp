// Movie recording on the real drawing device (llvmpipe when headless), in
// desktop fullscreen: ScreenCapture::Update while recording (block copy from
// the window, DIB read-back, one frame written) against a bare loop over the
// same picture: the device's read of the presented picture into one buffer,
// then fwrite of those bytes. The bare loop is the floor; the capture should
// stay within about 1.5x of it, the margin being the copies that the bitmap
// and DIB calls imply.
#include "bench/support/StartDevice.h"
#include "engine/core/Color.h"
#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ScreenCapture.h"
#include "platform/d3d7/PresentedPicture.h"
#include "platform/d3d7/WindowPictureSource.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{

using namespace OrvaneEngine;

// Frames per movie before it is closed and removed, so that no run reaches
// the size cap or fills the disk.
constexpr std::int64_t kFramesPerMovie = 60;

// A temporary root folder with a fullscreen window and a device that has
// presented one frame of the benchmark's size.
class Stage
{
public:
    Stage(std::uint32_t width, std::uint32_t height)
    {
        d3d7::MachineDescription machine = d3d7::testing::GetDefaultMachine();
        machine.adapters.at(0).desktop = win32::DesktopMode{1024, 768, 32, 60};
        for (d3d7::DisplayModeDescription& mode : machine.adapters.at(0).modes)
            mode.refreshRate = 60;
        d3d7::testing::SetMachine(machine);

        log = std::make_unique<MessageManager>("Bench", false, false, "", "");
        files = std::make_unique<FileManager>(log.get(), root, "Data");
        const std::string mode = std::to_string(width) + "x" + std::to_string(height) + "x32";
        config = std::make_unique<Config>(log.get(), files.get(), root, "Bench", false, mode, false, true);
        config->videoMode = mode;
        config->fullscreen = true;
        if (!corvellan::bench::StartDevice([&] {
                window = std::make_unique<Window>(log.get(), config.get(), "Capture bench", 0, 0, false, width,
                                                  height, true, true, 0, 0);
                renderSystem =
                    std::make_unique<RenderSystem_D3D7>(log.get(), config.get(), window.get(), false, false);
            }))
            return;
        d3d7::AttachPresentedPicture(window->handle);
        renderSystem->clearColor = Color(0.2f, 0.4f, 0.6f, 1.0f);
        renderSystem->BeginScene();
        renderSystem->EndScene();
        renderSystem->SwapBuffers();
        ready = renderSystem->ready;
    }

    ~Stage()
    {
        renderSystem.reset();
        window.reset();
        config.reset();
        files.reset();
        log.reset();
        d3d7::testing::ResetAll();
    }

    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;

    corvellan::test::TempFolder folder{"corvellan-bench"};
    const std::string root = folder.Path();
    bool ready = false;
    std::unique_ptr<MessageManager> log;
    std::unique_ptr<FileManager> files;
    std::unique_ptr<Config> config;
    std::unique_ptr<Window> window;
    std::unique_ptr<RenderSystem_D3D7> renderSystem;
};

void SetCounters(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * state.range(0) * state.range(1) * 4);
}

void CaptureRecording(benchmark::State& state)
{
    Stage stage(static_cast<std::uint32_t>(state.range(0)), static_cast<std::uint32_t>(state.range(1)));
    if (!stage.ready)
    {
        state.SkipWithError("no drawing device");
        return;
    }
    ScreenCapture capture(stage.log.get(), stage.files.get(), stage.config.get(), stage.window.get());
    const auto restart = [&] {
        capture.StopMovieRecord();
        std::error_code ignored;
        std::filesystem::remove_all(stage.root + "/ScreenCaptures", ignored);
        capture.StartMovieRecord();
    };
    restart();
    std::int64_t frames = 0;
    for (auto _ : state)
    {
        if (++frames % kFramesPerMovie == 0)
        {
            state.PauseTiming();
            restart();
            state.ResumeTiming();
        }
        capture.Update();
        if (!capture.IsRecording())
        {
            state.SkipWithError("the recording stopped");
            break;
        }
    }
    capture.StopMovieRecord();
    SetCounters(state);
}

void BareReadAndWriteFloor(benchmark::State& state)
{
    Stage stage(static_cast<std::uint32_t>(state.range(0)), static_cast<std::uint32_t>(state.range(1)));
    if (!stage.ready)
    {
        state.SkipWithError("no drawing device");
        return;
    }
    std::FILE* out = std::fopen((stage.root + "/bare.raw").c_str(), "wb");
    if (out == nullptr)
    {
        state.SkipWithError("cannot write the output file");
        return;
    }
    std::vector<std::uint8_t> pixels;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::int64_t frames = 0;
    for (auto _ : state)
    {
        if (++frames % kFramesPerMovie == 0)
        {
            state.PauseTiming();
            std::fclose(out);
            out = std::fopen((stage.root + "/bare.raw").c_str(), "wb");
            state.ResumeTiming();
        }
        if (out == nullptr || !d3d7::ReadPresentedPicture(pixels, width, height) ||
            std::fwrite(pixels.data(), 1, pixels.size(), out) != pixels.size())
        {
            state.SkipWithError("the picture could not be read or written");
            break;
        }
    }
    if (out != nullptr)
        std::fclose(out);
    SetCounters(state);
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* name;
        std::int64_t width;
        std::int64_t height;
    } sizes[] = {{"/smoke", 64, 48}, {"/1024x768", 1024, 768}};
    for (const auto& size : sizes)
    {
        const std::string suffix = size.name;
        benchmark::RegisterBenchmark(("Capture_Recording" + suffix).c_str(), CaptureRecording)
            ->Args({size.width, size.height})
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("Capture_BareReadAndWriteFloor" + suffix).c_str(), BareReadAndWriteFloor)
            ->Args({size.width, size.height})
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    return true;
}();

} // namespace
