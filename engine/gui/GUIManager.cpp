#include "engine/gui/GUIManager.h"

#include "engine/core/Controls.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIFontManager.h"
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

} // namespace

GUIManager::GUIManager(MessageManager* log_, FileManager* files_, Window* window_, TimerManager* timers_,
                       CameraManager* cameraManager_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                       Controls* controls_, SoundManager* engineSoundManager)
    : log(log_), files(files_), window(window_), timers(timers_), cameraManager(cameraManager_),
      shaderManager(shaderManager_), modelManager(modelManager_), controls(controls_),
      cursors(std::make_unique<ObjectManager<GUICursor>>()), windows(std::make_unique<ObjectManager<GUIWindow>>())
{
    guiCamera = cameraManager->CreateCamera(CameraKind);
    guiCamera->nearPlane = CameraNear;
    guiCamera->farPlane = CameraFar;
    textManager = std::make_unique<GUITextManager>(log, files);
    fontManager = std::make_unique<GUIFontManager>(log, files, shaderManager, modelManager, guiCamera);
    soundManager = std::make_unique<GUISoundManager>(timers, engineSoundManager);
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
    // The widgets' models refer to the GUI camera until they are released,
    // so the registries go first, in reverse order, and the camera last.
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
    for (GUIWindow* widget : windows->GetObjects())
    {
        if (widget != nullptr)
            widget->Update(cursor, held, pressed);
    }
}

void GUIManager::Render()
{
    for (GUICursor* cursor : cursors->GetObjects())
    {
        if (cursor != nullptr)
            cursor->Render();
    }
    for (GUIWindow* widget : windows->GetObjects())
    {
        if (widget != nullptr)
            widget->Render();
    }
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
    auto* created = new GUIWindow(log, shaderManager, modelManager, fontManager.get(), textManager.get(), guiCamera,
                                  flags, position, size, descriptor, parent, textureExtent);
    windows->Add(created);
    return created;
}

GUIWindow* GUIManager::CreateWindowFromFile(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                            const std::string& modelFileName, GUIWindow* parent)
{
    auto* created = new GUIWindow(log, shaderManager, modelManager, fontManager.get(), textManager.get(), guiCamera,
                                  flags, position, size, modelFileName, parent);
    windows->Add(created);
    return created;
}

GUIWindow* GUIManager::CreateWindow(std::uint32_t flags, const Vector2& position, const Vector2& size,
                                    const Model* model, GUIWindow* parent)
{
    auto* created = new GUIWindow(log, shaderManager, modelManager, fontManager.get(), textManager.get(), guiCamera,
                                  flags, position, size, model, parent);
    windows->Add(created);
    return created;
}

GUICursor* GUIManager::CreateCursor(const ShaderDescriptor* descriptor, float size)
{
    auto* created = new GUICursor(log, window, modelManager, controls, guiCamera, descriptor, size);
    cursors->Add(created);
    return created;
}

GUICursor* GUIManager::CreateCursorFromModel(const Model* model)
{
    auto* created = new GUICursor(log, window, modelManager, controls, guiCamera, model);
    cursors->Add(created);
    return created;
}

void GUIManager::ReleaseWindow(GUIWindow* released)
{
    if (windows->Remove(released))
        delete released;
}

void GUIManager::ReleaseCursor(GUICursor* cursor)
{
    if (cursors->Remove(cursor))
        delete cursor;
}

} // namespace OrvaneEngine
