#include "engine/gui/GUIEditBox.h"

// Placeholder bodies; the edit box's keys, caret and scrolling replace them.
namespace OrvaneEngine
{

GUIEditBox::GUIEditBox(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                       GUIFontManager* fontManager_, GUITextManager* textManager_, TimerManager* timers_,
                       GUISoundManager* soundManager_, Controls* controls_, Camera* guiCamera, std::uint32_t flags_,
                       const Vector2& position_, const Vector2& size_, const Model* model_, std::int32_t,
                       const Color&, const Vector2&, std::int32_t, float, float, char16_t, GUIWindow* parent_)
    : GUIWindow(log_, shaderManager_, modelManager_, fontManager_, textManager_, guiCamera, flags_, position_, size_,
                model_, parent_),
      timers(timers_), soundManager(soundManager_), controls(controls_)
{
}

GUIEditBox::~GUIEditBox() = default;
bool GUIEditBox::Update(const Vector2& cursor, bool held, bool pressed)
{
    return GUIWindow::Update(cursor, held, pressed);
}
bool GUIEditBox::Render() { return GUIWindow::Render(); }
void GUIEditBox::SetText(const std::u16string& text_) { text = text_; }

} // namespace OrvaneEngine
