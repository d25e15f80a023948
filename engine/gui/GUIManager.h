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
class Color;
class Controls;
class FileManager;
class GUIButton;
class GUICheckBox;
class GUICursor;
class GUIEditBox;
class GUIFontManager;
class GUIRadioButton;
class GUIRadioGroupManager;
class GUIScroll;
class GUISlider;
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
    GUIButton* CreateButton(std::uint32_t flags, const Vector2& position, const Vector2& size, const Model* model,
                            GUIWindow* parent);
    GUICheckBox* CreateCheckBox(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                const Model* model, GUIWindow* parent);
    GUIScroll* CreateScroll(std::uint32_t flags, const Vector2& position, const Vector2& size, const Model* model,
                            std::uint32_t orientation, const Vector2& trackStart, const Vector2& trackEnd,
                            std::uint32_t positionCount, GUIWindow* parent);
    // fontId -1: a box without font, which does nothing.
    GUIEditBox* CreateEditBox(std::uint32_t flags, const Vector2& position, const Vector2& size, const Model* model,
                              std::int32_t fontId, const Color& color, const Vector2& textOffset,
                              std::int32_t maxLength, float maxWidth, float visibleWidth, char16_t caret,
                              GUIWindow* parent);
    GUICursor* CreateCursor(const ShaderDescriptor* descriptor, float size);
    GUICursor* CreateCursorFromModel(const Model* model);
    // Null or an object not registered here is left alone.
    void ReleaseWindow(GUIWindow* window);
    void ReleaseButton(GUIButton* button);
    void ReleaseCheckBox(GUICheckBox* checkBox);
    void ReleaseEditBox(GUIEditBox* editBox);
    void ReleaseScroll(GUIScroll* scroll);
    void ReleaseCursor(GUICursor* cursor);

    GUITextManager* GetTextManager() const { return textManager.get(); }
    GUIFontManager* GetFontManager() const { return fontManager.get(); }
    GUISoundManager* GetSoundManager() const { return soundManager.get(); }
    GUIRadioGroupManager* GetRadioGroupManager() const { return radioGroupManager.get(); }
    Camera* GetCamera() const { return guiCamera; }
    GUICursor* GetDefaultCursor() const { return defaultCursor; }
    const ObjectManager<GUIWindow>& GetWindows() const { return *windows; }
    const ObjectManager<GUICursor>& GetCursors() const { return *cursors; }
    const ObjectManager<GUIButton>& GetButtons() const { return *buttons; }
    const ObjectManager<GUICheckBox>& GetCheckBoxes() const { return *checkBoxes; }
    const ObjectManager<GUIRadioButton>& GetRadioButtons() const { return *radioButtons; }
    const ObjectManager<GUIEditBox>& GetEditBoxes() const { return *editBoxes; }
    const ObjectManager<GUISlider>& GetSliders() const { return *sliders; }
    const ObjectManager<GUIScroll>& GetScrolls() const { return *scrolls; }

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
    std::unique_ptr<ObjectManager<GUIButton>> buttons;
    std::unique_ptr<ObjectManager<GUICheckBox>> checkBoxes;
    std::unique_ptr<ObjectManager<GUIRadioButton>> radioButtons;
    std::unique_ptr<ObjectManager<GUIEditBox>> editBoxes;
    std::unique_ptr<ObjectManager<GUISlider>> sliders;
    std::unique_ptr<ObjectManager<GUIScroll>> scrolls;
    Camera* guiCamera = nullptr;
    std::unique_ptr<GUITextManager> textManager;
    std::unique_ptr<GUIFontManager> fontManager;
    std::unique_ptr<GUISoundManager> soundManager;
    std::unique_ptr<GUIRadioGroupManager> radioGroupManager;
    GUICursor* defaultCursor = nullptr;
};

} // namespace OrvaneEngine
