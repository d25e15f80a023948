#include "engine/gui/GUIFontManager.h"

#include "engine/gui/GUIFont.h"

// Placeholder bodies; the font registry and batch instances replace them.
namespace OrvaneEngine
{

GUIFontManager::GUIFontManager(MessageManager* log_, FileManager* files_, ShaderManager* shaderManager_,
                               ModelManager* modelManager_, Camera* guiCamera_)
    : log(log_), files(files_), shaderManager(shaderManager_), modelManager(modelManager_), guiCamera(guiCamera_)
{
}
GUIFontManager::~GUIFontManager() = default;
GUIFont* GUIFontManager::CreateFont(std::uint32_t, const ShaderDescriptor*, const std::string&) { return nullptr; }
GUIFont* GUIFontManager::GetFont(std::uint32_t) const { return nullptr; }
GUIFont* GUIFontManager::GetFontInstance(std::uint32_t, const GUIWindow*) { return nullptr; }
Vector2 GUIFontManager::AlignText(std::uint32_t, std::uint32_t, const GUIWindow*, const Vector2&, float,
                                  const std::u16string&) const
{
    return {0.0f, 0.0f};
}
void GUIFontManager::PrintText(std::uint32_t, std::uint32_t, float, const GUIWindow*, const Vector2&, const Color&,
                               const std::u16string&)
{
}
void GUIFontManager::EndFrame() {}

} // namespace OrvaneEngine
