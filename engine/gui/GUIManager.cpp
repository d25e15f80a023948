#include "engine/gui/GUIManager.h"

#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"

// Placeholder bodies; the registries, camera and frame order replace them.
namespace OrvaneEngine
{

GUIManager::GUIManager(MessageManager* log_, FileManager* files_, Window* window_, TimerManager* timers_,
                       CameraManager* cameraManager_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                       Controls* controls_, SoundManager*)
    : log(log_), files(files_), window(window_), timers(timers_), cameraManager(cameraManager_),
      shaderManager(shaderManager_), modelManager(modelManager_), controls(controls_),
      cursors(std::make_unique<ObjectManager<GUICursor>>()), windows(std::make_unique<ObjectManager<GUIWindow>>())
{
}
GUIManager::~GUIManager() = default;
void GUIManager::Update() {}
void GUIManager::Render() {}
void GUIManager::SetScreenSize(float, float) {}
float GUIManager::GetScreenWidth() const { return 0.0f; }
float GUIManager::GetScreenHeight() const { return 0.0f; }
Vector2 GUIManager::GetCursorPosition() const { return {0.0f, 0.0f}; }
GUIWindow* GUIManager::CreateTexturedWindow(std::uint32_t, const Vector2&, const Vector2&, const ShaderDescriptor*,
                                            GUIWindow*, const Vector2&)
{
    return nullptr;
}
GUIWindow* GUIManager::CreateWindowFromFile(std::uint32_t, const Vector2&, const Vector2&, const std::string&,
                                            GUIWindow*)
{
    return nullptr;
}
GUIWindow* GUIManager::CreateWindow(std::uint32_t, const Vector2&, const Vector2&, const Model*, GUIWindow*)
{
    return nullptr;
}
GUICursor* GUIManager::CreateCursor(const ShaderDescriptor*, float) { return nullptr; }
GUICursor* GUIManager::CreateCursorFromModel(const Model*) { return nullptr; }
void GUIManager::ReleaseWindow(GUIWindow*) {}
void GUIManager::ReleaseCursor(GUICursor*) {}

} // namespace OrvaneEngine
