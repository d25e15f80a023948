#include "engine/gui/GUIWindow.h"

// Placeholder bodies; the window tree, hover test and texts replace them.
namespace OrvaneEngine
{

GUIWindow::GUIWindow(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                     GUIFontManager* fontManager_, GUITextManager* textManager_, Camera*, std::uint32_t,
                     const Vector2&, const Vector2&, const ShaderDescriptor*, GUIWindow*, const Vector2&)
    : log(log_), shaderManager(shaderManager_), modelManager(modelManager_), fontManager(fontManager_),
      textManager(textManager_)
{
}
GUIWindow::GUIWindow(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                     GUIFontManager* fontManager_, GUITextManager* textManager_, Camera*, std::uint32_t,
                     const Vector2&, const Vector2&, const std::string&, GUIWindow*)
    : log(log_), shaderManager(shaderManager_), modelManager(modelManager_), fontManager(fontManager_),
      textManager(textManager_)
{
}
GUIWindow::GUIWindow(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                     GUIFontManager* fontManager_, GUITextManager* textManager_, Camera*, std::uint32_t,
                     const Vector2&, const Vector2&, const Model*, GUIWindow*)
    : log(log_), shaderManager(shaderManager_), modelManager(modelManager_), fontManager(fontManager_),
      textManager(textManager_)
{
}
GUIWindow::~GUIWindow() = default;
bool GUIWindow::Update(const Vector2&, bool, bool) { return false; }
bool GUIWindow::Render() { return false; }
void GUIWindow::SetLevel(std::int32_t) {}
void GUIWindow::SetColor(const Color&) {}
void GUIWindow::UpdateVisibility() {}
void GUIWindow::SetFlags(std::uint32_t) {}
void GUIWindow::ClearFlags(std::uint32_t) {}
void GUIWindow::SetParent(GUIWindow*) {}
void GUIWindow::AddChild(GUIWindow*) {}
void GUIWindow::RemoveChild(GUIWindow*) {}
Vector2 GUIWindow::GetParentPosition() const { return {0.0f, 0.0f}; }
Vector2 GUIWindow::GetAbsolutePosition() const { return position; }
Color GUIWindow::GetColor() const { return {1.0f, 1.0f, 1.0f, 1.0f}; }
ShaderUser* GUIWindow::GetShaderUser() const { return nullptr; }
void GUIWindow::SetShader(const ShaderDescriptor&) {}
void GUIWindow::AddTextByKey(std::uint32_t, std::uint32_t, const Vector2&, const Color&, const std::string&,
                             std::int32_t, float, float)
{
}
void GUIWindow::AddWideText(std::uint32_t, std::uint32_t, const Vector2&, const Color&, const std::u16string&, float,
                            float)
{
}
GUITextEntry* GUIWindow::AllocTextEntry() { return nullptr; }

} // namespace OrvaneEngine
