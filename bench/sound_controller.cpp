// The sound controller's frame: every music fade moves on and both volumes
// are applied again to every sound (each through the mixer's lock), followed
// by the sound manager's own frame; against the sound manager's frame alone
// over the same sounds. The gap is what re-applying the volumes every frame
// costs. The game's set: 3 tracks (one fading in), 30 effects and 14 plain
// sounds standing for the GUI sounds.
#include "bench/support/PairedRounds.h"
#include "bench/support/StartDevice.h"
#include "content/WavWriter.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "framework/SoundController.h"
#include "platform/dsound/testing/DirectSoundHooks.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/FileBytes.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace
{

using corvellan::bench::PairedRounds;
using GameFramework::SoundController;

constexpr std::uint32_t trackCount = 3;
constexpr std::uint32_t effectCount = 30;
constexpr std::uint32_t plainSoundCount = 14;

class Stage
{
public:
    Stage()
    {
        const std::string tone = corvellan::content::WavWriter::Simple(
            corvellan::content::WavFormat{}, corvellan::content::Samples16(std::vector<std::int16_t>(11025, 4000)));
        for (const char* name : {"music", "effect", "gui"})
        {
            if (!corvellan::test::WriteFileBytes(fixture.folder.Join(std::string("data/audio/") + name + ".wav"), tone))
                return;
        }
        if (!corvellan::bench::StartDevice([&] { fixture.Start(); }))
            return;
        OrvaneEngine::Engine& engine = *fixture.engine;
        if (!engine.soundManager)
            return;
        // Still between calls: no audio thread takes the mixer's lock
        // against the side being timed.
        dsound::testing::SetDevicePaused(static_cast<OrvaneEngine::SoundSystem_DS7*>(engine.soundSystem.get())->GetDevice(),
                                         true);
        for (std::uint32_t i = 0; i < plainSoundCount; ++i)
            plainSounds.push_back(engine.soundManager->CreateSound("audio\\gui.wav"));
        controller = std::make_unique<SoundController>(&engine, 0.16f, 0.7f);
        for (std::uint32_t track = 0; track < trackCount; ++track)
            controller->AddMusic(track, "audio\\music.wav", true);
        for (std::uint32_t id = 0; id < effectCount; ++id)
            controller->AddSound(id, "audio\\effect.wav", false, 1);
        controller->ApplySoundVolume();
        controller->PlayMusic(0, 0, false, 0.0f);
        // Slow enough never to end during a run.
        controller->PlayMusic(1, 1, true, 1e-6f);
        engine.timerManager->frameTime = 0.02f;
        ready = engine.soundManager->GetSoundCount() == trackCount + effectCount + plainSoundCount;
    }

    ~Stage()
    {
        controller.reset();
        if (fixture.engine && fixture.engine->soundManager)
        {
            for (OrvaneEngine::Sound* sound : plainSounds)
                fixture.engine->soundManager->ReleaseSound(sound);
        }
    }

    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;

    corvellan::test::EngineFixture fixture{corvellan::test::EngineFixture::Options{true}};
    std::unique_ptr<SoundController> controller;
    std::vector<OrvaneEngine::Sound*> plainSounds;
    bool ready = false;
};

void ControllerFrames(benchmark::State& state)
{
    Stage stage;
    if (!stage.ready)
    {
        state.SkipWithError("no engine or no sound device");
        return;
    }
    OrvaneEngine::SoundManager& manager = *stage.fixture.engine->soundManager;
    SoundController& controller = *stage.controller;
    const std::int64_t frames = state.range(0);
    PairedRounds::Run(
        state,
        [&] {
            for (std::int64_t frame = 0; frame < frames; ++frame)
            {
                controller.Update();
                manager.Update(true);
            }
            return frames;
        },
        [&] {
            for (std::int64_t frame = 0; frame < frames; ++frame)
                manager.Update(true);
            return frames;
        });
    state.counters["sounds"] = static_cast<double>(manager.GetSoundCount());
}

} // namespace

BENCHMARK(ControllerFrames)
    ->Name("SoundController/Update_vs_SoundManagerUpdate")
    ->Arg(2000)
    ->Iterations(PairedRounds::FullRounds);
BENCHMARK(ControllerFrames)
    ->Name("SoundController/Update_vs_SoundManagerUpdate/smoke")
    ->Arg(50)
    ->Iterations(PairedRounds::SmokeRounds);
