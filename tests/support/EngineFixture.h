#pragma once

#include "engine/core/Engine.h"
#include "engine/core/EngineSettings.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <memory>
#include <optional>
#include <string>

namespace corvellan::test
{

// A headless engine: root, log and ini in a temporary folder, an 800x600
// window that is not full screen, and, when asked, the silent audio driver.
// A caller changes `settings` before Start.
//
// Only one Engine may exist at a time in a process: the window class, the
// device stand-ins, the input devices and the fake clocks it uses are
// process-wide. Stop (or end the fixture) before making another engine,
// here or by hand from `settings`.
class EngineFixture
{
public:
    struct Options
    {
        // SDL_AUDIODRIVER=dummy for the fixture's life: a device that
        // exists and plays nothing.
        bool silentAudio = false;
    };

    EngineFixture();
    explicit EngineFixture(Options options);
    ~EngineFixture();
    EngineFixture(const EngineFixture&) = delete;
    EngineFixture& operator=(const EngineFixture&) = delete;

    // Makes the engine from `settings`, ending a running one first.
    OrvaneEngine::Engine& Start();
    void Stop();

    // The log page as written so far (title "Test": <folder>/Test.html).
    std::string LogText() const;

    TempFolder folder;
    OrvaneEngine::EngineSettings settings;
    std::unique_ptr<OrvaneEngine::Engine> engine;

private:
    std::optional<ScopedEnvironment> audioDriver;
};

} // namespace corvellan::test
