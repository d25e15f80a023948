#include "engine/core/Engine.h"

#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/TimerManager.h"
#include "platform/win32/Com.h"
#include "platform/win32/TickCount.h"
#include "platform/win32/Sleep.h"

namespace OrvaneEngine
{

Engine::Engine(const EngineSettings& givenSettings)
{
    settings = std::make_unique<EngineSettings>(givenSettings);
    if (settings->title.empty())
    {
        settings->title = "Orvane Engine";
        settings->version = 67;
    }

    comInitialized = win32::CoInitialize(nullptr) == 0;

    try
    {
        messageManager = std::make_unique<MessageManager>(settings->title, settings->logEnabled,
                                                          settings->logReopen, settings->logFolder,
                                                          settings->logName);
        fileManager = std::make_unique<FileManager>(messageManager.get(), settings->rootFolder,
                                                    settings->packFolder);
        timerManager = std::make_unique<TimerManager>();
        config = std::make_unique<Config>(messageManager.get(), fileManager.get(), settings->configFolder,
                                          settings->configName, settings->forceVideoMode, settings->videoMode,
                                          settings->forceFullscreen, settings->fullscreen);
        config->Load();
        ParseVideoMode(config->videoMode, &windowWidth, &windowHeight, nullptr);
        SeedRandom(win32::GetTickCount());
    }
    catch (...)
    {
        ReleaseServices();
        settings.reset();
        if (comInitialized)
            win32::CoUninitialize();
        comInitialized = false;
        throw;
    }
}

Engine::~Engine()
{
    // Save reports a failed write in the log and returns normally.
    if (settings->saveConfigOnExit)
        config->Save();
    ReleaseServices();
    settings.reset();
    if (comInitialized)
        win32::CoUninitialize();
}

void Engine::ReleaseServices()
{
    config.reset();
    timerManager.reset();
    fileManager.reset();
    messageManager.reset();
}

void Engine::Update()
{
    config->Update();
    timerManager->Update();
    messageManager->ClearMessages();
}

void Engine::Render()
{
}

void Engine::Frame(std::uint32_t sleepTime)
{
    Render();
    if (sleepTime > 0)
        win32::Sleep(sleepTime);
    config->ClearChangedFlags();
    if (IsExiting())
        messageManager->Message("\nExiting...\n");
}

bool Engine::IsExiting() const
{
    return !config->GetCommandFlag("exit");
}

void Engine::RequestExit(std::uint32_t)
{
    config->SetCommandFlag("exit", false);
}

std::string Engine::GetFullName() const
{
    return settings->title + " " + IntToString(settings->version / 100, 0) + "." +
           IntToString(settings->version % 100, 2);
}

} // namespace OrvaneEngine
