#include "engine/gui/GUIManager.h"

#include "engine/core/Controls.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIRadioButton.h"
#include "engine/gui/GUIRadioGroupManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"

namespace OrvaneEngine
{
namespace
{

// Made once: the per-frame look-ups must not build a string.
const std::string& MouseButton()
{
    static const std::string name = "MOUSE1";
    return name;
}

template <typename T>
void UpdateAll(ObjectManager<T>& registry, const Vector2& cursor, bool held, bool pressed)
{
    for (T* widget : registry.GetObjects())
    {
        if (widget != nullptr)
            widget->Update(cursor, held, pressed);
    }
}

template <typename T>
void RenderAll(ObjectManager<T>& registry)
{
    for (T* widget : registry.GetObjects())
    {
        if (widget != nullptr)
            widget->Render();
    }
}

// Registers a widget the manager just made; the caller keeps a plain pointer.
template <typename T, typename Created>
Created* Register(ObjectManager<T>& registry, Created* created)
{
    registry.Add(created);
    return created;
}

template <typename T>
void Release(ObjectManager<T>& registry, T* object)
{
    if (registry.Remove(object))
        delete object;
}

} // namespace

GUIManager::GUIManager(MessageManager* log_, FileManager* files_, Window* window_, TimerManager* timers_,
                       CameraManager* cameraManager_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                       Controls* controls_, SoundManager* engineSoundManager)
    : log(log_), files(files_), window(window_), timers(timers_), cameraManager(cameraManager_),
      shaderManager(shaderManager_), modelManager(modelManager_), controls(controls_),
      cursors(std::make_unique<ObjectManager<GUICursor>>()), windows(std::make_unique<ObjectManager<GUIWindow>>()),
      buttons(std::make_unique<ObjectManager<GUIButton>>()),
      checkBoxes(std::make_unique<ObjectManager<GUICheckBox>>()),
      radioButtons(std::make_unique<ObjectManager<GUIRadioButton>>()),
      editBoxes(std::make_unique<ObjectManager<GUIEditBox>>()), sliders(std::make_unique<ObjectManager<GUISlider>>()),
      scrolls(std::make_unique<ObjectManager<GUIScroll>>())
{
    guiCamera = cameraManager->CreateCamera(CameraKind);
    guiCamera->nearPlane = CameraNear;
    guiCamera->farPlane = CameraFar;
    textManager = std::make_unique<GUITextManager>(log, files);
    fontManager = std::make_unique<GUIFontManager>(log, files, shaderManager, modelManager, guiCamera);
    soundManager = std::make_unique<GUISoundManager>(timers, engineSoundManager);
    radioGroupManager = std::make_unique<GUIRadioGroupManager>(log);
    defaultCursor = CreateCursorFromModel(nullptr);
    defaultCursor->visible = false;
}

GUIManager::~GUIManager()
{
    ReleaseCursor(defaultCursor);
    defaultCursor = nullptr;
    textManager.reset();
    fontManager.reset();
    soundManager.reset();
    radioGroupManager.reset();
    // The widgets' models refer to the GUI camera until they are released,
    // so the registries go first, in reverse order, and the camera last.
    scrolls.reset();
    sliders.reset();
    editBoxes.reset();
    radioButtons.reset();
    checkBoxes.reset();
    buttons.reset();
    windows.reset();
    cursors.reset();
    cameraManager->DeleteCamera(guiCamera);
    guiCamera = nullptr;
}

void GUIManager::Update()
{
    for (GUICursor* cursor : cursors->GetObjects())
    {
        if (cursor != nullptr)
            cursor->UpdatePosition();
    }
    const bool held = controls->IsKeyDown(MouseButton());
    const bool pressed = controls->IsKeyPressed(MouseButton());
    const Vector2 cursor = GetCursorPosition();
    UpdateAll(*windows, cursor, held, pressed);
    UpdateAll(*buttons, cursor, held, pressed);
    UpdateAll(*checkBoxes, cursor, held, pressed);
    UpdateAll(*radioButtons, cursor, held, pressed);
    UpdateAll(*editBoxes, cursor, held, pressed);
    UpdateAll(*sliders, cursor, held, pressed);
    UpdateAll(*scrolls, cursor, held, pressed);
}

void GUIManager::Render()
{
    for (GUICursor* cursor : cursors->GetObjects())
    {
        if (cursor != nullptr)
            cursor->Render();
    }
    RenderAll(*windows);
    RenderAll(*buttons);
    RenderAll(*checkBoxes);
    RenderAll(*radioButtons);
    RenderAll(*editBoxes);
    RenderAll(*sliders);
    RenderAll(*scrolls);
    fontManager->EndFrame();
}

void GUIManager::SetScreenSize(float width, float height)
{
    guiCamera->width = width;
    guiCamera->height = height;
}

float GUIManager::GetScreenWidth() const
{
    return guiCamera->width;
}

float GUIManager::GetScreenHeight() const
{
    return guiCamera->height;
}

Vector2 GUIManager::GetCursorPosition() const
{
    return defaultCursor->position;
}

GUIWindow* GUIManager::CreateTexturedWindow(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                            const ShaderDescriptor* descriptor, GUIWindow* parent,
                                            const Vector2& textureExtent)
{
    return Register(*windows, new GUIWindow(log, shaderManager, modelManager, fontManager.get(), textManager.get(),
                                            guiCamera, flags, position, size, descriptor, parent, textureExtent));
}

GUIWindow* GUIManager::CreateWindowFromFile(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                            const std::string& modelFileName, GUIWindow* parent)
{
    return Register(*windows, new GUIWindow(log, shaderManager, modelManager, fontManager.get(), textManager.get(),
                                            guiCamera, flags, position, size, modelFileName, parent));
}

GUIWindow* GUIManager::CreateWindow(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                    const Model* model, GUIWindow* parent)
{
    return Register(*windows, new GUIWindow(log, shaderManager, modelManager, fontManager.get(), textManager.get(),
                                            guiCamera, flags, position, size, model, parent));
}

GUIButton* GUIManager::CreateButton(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                    const Model* model, GUIWindow* parent)
{
    return Register(*buttons, new GUIButton(log, shaderManager, modelManager, fontManager.get(), textManager.get(),
                                            soundManager.get(), guiCamera, flags, position, size, model, parent));
}

GUICheckBox* GUIManager::CreateCheckBox(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                        const Model* model, GUIWindow* parent)
{
    return Register(*checkBoxes, new GUICheckBox(log, shaderManager, modelManager, fontManager.get(), textManager.get(),
                                                 soundManager.get(), guiCamera, flags, position, size, model, parent));
}

GUIScroll* GUIManager::CreateScroll(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                    const Model* model, std::uint32_t orientation, const Vector2& trackStart,
                                    const Vector2& trackEnd, std::uint32_t positionCount, GUIWindow* parent)
{
    return Register(*scrolls, new GUIScroll(log, shaderManager, modelManager, fontManager.get(), textManager.get(),
                                            soundManager.get(), timers, guiCamera, flags, position, size, model,
                                            orientation, trackStart, trackEnd, positionCount, parent));
}

GUIEditBox* GUIManager::CreateEditBox(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                      const Model* model, std::int32_t fontId, const Color& color,
                                      const Vector2& textOffset, std::int32_t maxLength, float maxWidth,
                                      float visibleWidth, char16_t caret, GUIWindow* parent)
{
    return Register(*editBoxes,
                    new GUIEditBox(log, shaderManager, modelManager, fontManager.get(), textManager.get(), timers,
                                   soundManager.get(), controls, guiCamera, flags, position, size, model, fontId, color,
                                   textOffset, maxLength, maxWidth, visibleWidth, caret, parent));
}

GUICursor* GUIManager::CreateCursor(const ShaderDescriptor* descriptor, float size)
{
    return Register(*cursors, new GUICursor(log, window, modelManager, controls, guiCamera, descriptor, size));
}

GUICursor* GUIManager::CreateCursorFromModel(const Model* model)
{
    return Register(*cursors, new GUICursor(log, window, modelManager, controls, guiCamera, model));
}

void GUIManager::ReleaseWindow(GUIWindow* released)
{
    Release(*windows, released);
}

void GUIManager::ReleaseButton(GUIButton* button)
{
    Release(*buttons, button);
}

void GUIManager::ReleaseCheckBox(GUICheckBox* checkBox)
{
    Release(*checkBoxes, checkBox);
}

void GUIManager::ReleaseEditBox(GUIEditBox* editBox)
{
    Release(*editBoxes, editBox);
}

void GUIManager::ReleaseScroll(GUIScroll* scroll)
{
    Release(*scrolls, scroll);
}

void GUIManager::ReleaseCursor(GUICursor* cursor)
{
    if (cursors->Remove(cursor))
        delete cursor;
}

} // namespace OrvaneEngine
