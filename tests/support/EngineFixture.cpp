#include "tests/support/EngineFixture.h"

#include "tests/support/FileBytes.h"

namespace corvellan::test
{

EngineFixture::EngineFixture() : EngineFixture(Options{})
{
}

EngineFixture::EngineFixture(Options options)
{
    settings.title = "Test";
    settings.version = 103;
    settings.rootFolder = folder.Path();
    settings.logFolder = folder.Path();
    settings.configFolder = folder.Path();
    settings.videoMode = "800x600x32";
    settings.fullscreen = false;
    if (options.silentAudio)
        audioDriver.emplace("SDL_AUDIODRIVER", "dummy");
}

EngineFixture::~EngineFixture()
{
    Stop();
}

OrvaneEngine::Engine& EngineFixture::Start()
{
    Stop();
    engine = std::make_unique<OrvaneEngine::Engine>(settings);
    return *engine;
}

void EngineFixture::Stop()
{
    engine.reset();
}

std::string EngineFixture::LogText() const
{
    const std::string name = settings.logName.empty() ? settings.title : settings.logName;
    return ReadFileText(folder.Join(name + ".html")).value_or("");
}

} // namespace corvellan::test
