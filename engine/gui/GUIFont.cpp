#include "engine/gui/GUIFont.h"

// Placeholder bodies; the font reader and batch printing replace them.
namespace OrvaneEngine
{

GUIFont::GUIFont(MessageManager* log_, FileManager* files_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                 Camera*, const ShaderDescriptor*, const std::string&)
    : log(log_), files(files_), modelManager(modelManager_), shaderManager(shaderManager_)
{
}

GUIFont::GUIFont(GUIFont* source_)
    : log(source_->log), files(source_->files), modelManager(source_->modelManager),
      shaderManager(source_->shaderManager), source(source_)
{
}

GUIFont::~GUIFont() = default;

bool GUIFont::HasGlyph(char16_t character) const { return glyphs.count(character) != 0; }
float GUIFont::GetDepth() const { return 0.0f; }
void GUIFont::SetDepth(float) {}
void GUIFont::MeasureGlyph(const Vector2&, float, char16_t, Vector2[4]) const {}
Vector2 GUIFont::MeasureText(const std::u16string&, float, float) const { return {0.0f, 0.0f}; }
void GUIFont::PrintGlyph(const Vector2&, float, const Color&, char16_t) {}
void GUIFont::PrintText(const Vector2&, float, const Color&, const std::u16string&) {}
void GUIFont::AddLowerCaseGlyphs() {}
void GUIFont::EndFrame() { glyphsThisFrame = 0; }

} // namespace OrvaneEngine
