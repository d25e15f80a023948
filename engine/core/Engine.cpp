#include "engine/core/Engine.h"

#include "engine/core/Config.h"
#include "engine/core/Console.h"
#include "engine/core/Controls_DI7.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/render/ScreenCapture.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
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
        window = std::make_unique<Window>(messageManager.get(), config.get(), GetFullName(),
                                          settings->parentWindow, settings->iconResource,
                                          settings->minimizeWhenInactive, windowWidth, windowHeight,
                                          config->fullscreen, settings->centerWindow,
                                          settings->windowPosition.x, settings->windowPosition.y);
        renderSystem = std::make_unique<RenderSystem_D3D7>(messageManager.get(), config.get(), window.get(),
                                                           settings->stencilBuffer, settings->allowLargeWindow);
        cameraManager = std::make_unique<CameraManager>(messageManager.get(), window.get(), renderSystem.get());
        lightManager = std::make_unique<LightManager>(messageManager.get(), renderSystem.get());
        shaderManager = std::make_unique<ShaderManager>(messageManager.get(), fileManager.get(), timerManager.get(),
                                                        config.get(), renderSystem.get());
        modelManager = std::make_unique<ModelManager>(messageManager.get(), fileManager.get(), timerManager.get(),
                                                      renderSystem.get(), cameraManager.get(), lightManager.get(),
                                                      shaderManager.get());
        spriteGroupManager = std::make_unique<SpriteGroupManager>(messageManager.get(), cameraManager.get(),
                                                                  shaderManager.get(), modelManager.get());
        particleSystemManager = std::make_unique<ParticleSystemManager>(
            messageManager.get(), fileManager.get(), timerManager.get(), shaderManager.get(),
            spriteGroupManager.get());
        screenCapture = std::make_unique<ScreenCapture>(messageManager.get(), fileManager.get(), config.get(),
                                                        window.get());
        controls = std::make_unique<Controls_DI7>(messageManager.get(), timerManager.get(), config.get(),
                                                  window.get(), true);
        // Sound is optional: without a device the program runs silent. The sound
        // system has logged its own lines; the engine adds none.
        try
        {
            soundSystem = std::make_unique<SoundSystem_DS7>(messageManager.get(), fileManager.get(),
                                                            timerManager.get(), config.get(), window.get(),
                                                            settings->sound3D);
            soundManager = std::make_unique<SoundManager>(messageManager.get(), fileManager.get(),
                                                          soundSystem.get());
        }
        catch (const Error&)
        {
        }
        guiManager = std::make_unique<GUIManager>(messageManager.get(), fileManager.get(), window.get(),
                                                  timerManager.get(), cameraManager.get(), shaderManager.get(),
                                                  modelManager.get(), controls.get(), soundManager.get());
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
    console.reset();
    guiManager.reset();
    soundManager.reset();
    soundSystem.reset();
    controls.reset();
    screenCapture.reset();
    particleSystemManager.reset();
    spriteGroupManager.reset();
    modelManager.reset();
    shaderManager.reset();
    lightManager.reset();
    cameraManager.reset();
    renderSystem.reset();
    window.reset();
    config.reset();
    timerManager.reset();
    fileManager.reset();
    messageManager.reset();
}

void Engine::Update()
{
    config->Update();
    timerManager->Update();
    window->Update();
    controls->Update();
    guiManager->Update();
    if (console)
        console->Update();
    messageManager->ClearMessages();
}

void Engine::CreateConsole(const std::string& caption, const ShaderDescriptor* windowShader, std::uint32_t fontId,
                           char16_t caretCharacter, char16_t promptCharacter, char16_t markerCharacter,
                           const std::string& toggleKey, float alpha, float size, float speed)
{
    // A console made again replaces the old one, which must let go of its
    // variables before the new one binds them.
    console.reset();
    console = std::make_unique<Console>(messageManager.get(), timerManager.get(), config.get(), controls.get(),
                                        shaderManager.get(), guiManager.get(), caption, windowShader, fontId,
                                        caretCharacter, promptCharacter, markerCharacter, toggleKey, alpha, size,
                                        speed);
}

void Engine::Render()
{
    renderSystem->Refresh();
    cameraManager->Update();
    particleSystemManager->Update();
    spriteGroupManager->Update();
    guiManager->Render();
    lightManager->Update();
    shaderManager->Update();
    modelManager->Render();
    if (soundSystem)
        soundSystem->Refresh();
    if (soundManager)
        soundManager->Update(true);
}

void Engine::Frame(std::uint32_t sleepTime)
{
    Render();
    if (sleepTime > 0)
        win32::Sleep(sleepTime);
    modelManager->Present();
    if (controls->IsKeyPressed("PRINTSCRN"))
        config->SetCommandFlag("sc_take_screenshot", false);
    controls->EndFrame();
    screenCapture->Update();
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
