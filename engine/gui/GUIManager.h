#pragma once

#include "engine/core/Vector2.h"
#include "engine/render/ObjectManager.h"

#include <cstdint>
#include <memory>
#include <string>

namespace OrvaneEngine
{

class Camera;
class CameraManager;
class Controls;
class FileManager;
class GUICursor;
class GUIFontManager;
class GUISoundManager;
class GUITextManager;
class GUIWindow;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;
class SoundManager;
class TimerManager;
class Window;

// Owns and drives every GUI object: the registries of widgets and cursors,
// the GUI camera that defines the virtual screen, and the text, font and GUI
// sound services. The GUI draws nothing itself: widgets, glyphs and cursors
// are models that the model manager draws, sorted by depth.
class GUIManager
{
public:
    static constexpr std::uint32_t CameraKind = 1;
    static constexpr float CameraNear = 500.0f;
    static constexpr float CameraFar = -500.0f;

    // The sound manager is null when the program runs without sound.
    GUIManager(MessageManager* log, FileManager* files, Window* window, TimerManager* timers,
               CameraManager* cameraManager, ShaderManager* shaderManager, ModelManager* modelManager,
               Controls* controls, SoundManager* soundManager);
    virtual ~GUIManager();
    GUIManager(const GUIManager&) = delete;
    GUIManager& operator=(const GUIManager&) = delete;

    void Update();
    void Render();

    void SetScreenSize(float width, float height);
    float GetScreenWidth() const;
    float GetScreenHeight() const;
    Vector2 GetCursorPosition() const;

    GUIWindow* CreateTexturedWindow(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                    const ShaderDescriptor* descriptor, GUIWindow* parent,
                                    const Vector2& textureExtent);
    GUIWindow* CreateWindowFromFile(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                    const std::string& modelFileName, GUIWindow* parent);
    GUIWindow* CreateWindow(std::uint32_t flags, const Vector2& position, const Vector2& size, const Model* model,
                            GUIWindow* parent);
    GUICursor* CreateCursor(const ShaderDescriptor* descriptor, float size);
    GUICursor* CreateCursorFromModel(const Model* model);
    // Null or an object not registered here is left alone.
    void ReleaseWindow(GUIWindow* window);
    void ReleaseCursor(GUICursor* cursor);

    GUITextManager* GetTextManager() const { return textManager.get(); }
    GUIFontManager* GetFontManager() const { return fontManager.get(); }
    GUISoundManager* GetSoundManager() const { return soundManager.get(); }
    Camera* GetCamera() const { return guiCamera; }
    GUICursor* GetDefaultCursor() const { return defaultCursor; }
    const ObjectManager<GUIWindow>& GetWindows() const { return *windows; }
    const ObjectManager<GUICursor>& GetCursors() const { return *cursors; }

private:
    MessageManager* log;
    FileManager* files;
    Window* window;
    TimerManager* timers;
    CameraManager* cameraManager;
    ShaderManager* shaderManager;
    ModelManager* modelManager;
    Controls* controls;
    // Held by pointer so that the destructor can empty them before the GUI
    // camera goes: the widgets' models refer to it to the end.
    std::unique_ptr<ObjectManager<GUICursor>> cursors;
    std::unique_ptr<ObjectManager<GUIWindow>> windows;
    Camera* guiCamera = nullptr;
    std::unique_ptr<GUITextManager> textManager;
    std::unique_ptr<GUIFontManager> fontManager;
    std::unique_ptr<GUISoundManager> soundManager;
    GUICursor* defaultCursor = nullptr;
};

} // namespace OrvaneEngine
