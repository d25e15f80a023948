#pragma once

#include "engine/core/EngineSettings.h"

#include <cstdint>
#include <memory>
#include <string>

namespace OrvaneEngine
{

class MessageManager;
class FileManager;
class TimerManager;
class Config;
class Window;
class RenderSystem;
class CameraManager;
class LightManager;
class ShaderManager;
class ModelManager;
class SpriteGroupManager;
class ParticleSystemManager;
class Controls;
class SoundSystem;
class SoundManager;
class GUIManager;
class ScreenCapture;
class Console;
class ShaderDescriptor;

// The root of the engine: builds every service in a fixed order, drives the
// two per-frame passes and tears everything down in its own order.
class Engine
{
public:
    explicit Engine(const EngineSettings& settings);
    virtual ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    void Update();
    void Render();
    void Frame(std::uint32_t sleepTime);
    bool IsExiting() const;
    void RequestExit(std::uint32_t unused);
    std::string GetFullName() const;
    // The drop-down console; nothing in the program calls it, so at run time
    // there is none.
    void CreateConsole(const std::string& caption, const ShaderDescriptor* windowShader, std::uint32_t fontId,
                       char16_t caretCharacter, char16_t promptCharacter, char16_t markerCharacter,
                       const std::string& toggleKey, float alpha, float size, float speed);

    // Services whose classes are not part of the engine yet stay null.
    std::unique_ptr<EngineSettings> settings;
    std::unique_ptr<MessageManager> messageManager;
    std::unique_ptr<FileManager> fileManager;
    std::unique_ptr<TimerManager> timerManager;
    std::unique_ptr<Config> config;
    std::unique_ptr<Window> window;
    std::unique_ptr<RenderSystem> renderSystem;
    std::unique_ptr<CameraManager> cameraManager;
    std::unique_ptr<LightManager> lightManager;
    std::unique_ptr<ShaderManager> shaderManager;
    std::unique_ptr<ModelManager> modelManager;
    std::unique_ptr<SpriteGroupManager> spriteGroupManager;
    std::unique_ptr<ParticleSystemManager> particleSystemManager;
    std::unique_ptr<Controls> controls;
    std::unique_ptr<SoundSystem> soundSystem;
    std::unique_ptr<SoundManager> soundManager;
    std::unique_ptr<GUIManager> guiManager;
    std::unique_ptr<ScreenCapture> screenCapture;
    std::unique_ptr<Console> console;
    bool comInitialized = false;

private:
    // Deletes the services in the engine's destruction order; also used when
    // construction fails half-way, so nothing stays in force.
    void ReleaseServices();

    // The size "v_mode" asks for, read once the ini file is loaded; the window
    // is built with it.
    std::uint32_t windowWidth = 0;
    std::uint32_t windowHeight = 0;
};

} // namespace OrvaneEngine
