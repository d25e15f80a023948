#pragma once

#include "tests/support/EngineFixture.h"
#include "tests/support/FuzzWorkspace.h"
#include "tests/support/ScopedEnvironment.h"

namespace corvellan::test
{

// A headless engine over the root of a fuzz workspace, for the targets whose
// readers live in classes made with an engine. Offscreen video and silent
// audio are set here, since a fuzz target has no shared test main. A target
// makes one for the whole process (a function-local static).
class FuzzEngine
{
public:
    FuzzEngine();
    FuzzEngine(const FuzzEngine&) = delete;
    FuzzEngine& operator=(const FuzzEngine&) = delete;

    OrvaneEngine::Engine* Get() const { return fixture.engine.get(); }

    FuzzWorkspace workspace;

private:
    ScopedEnvironment video{"SDL_VIDEODRIVER", "offscreen"};
    EngineFixture fixture{EngineFixture::Options{true}};
};

} // namespace corvellan::test
