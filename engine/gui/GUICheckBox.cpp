#include "engine/gui/GUICheckBox.h"

namespace OrvaneEngine
{

std::uint32_t TwoStateFrame(std::uint32_t state, bool on)
{
    if (state == GUIButton::StateDisabled)
        return on ? 7 : 6;
    return (on ? 3 : 0) + state;
}

GUICheckBox::GUICheckBox(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                         GUIFontManager* fontManager_, GUITextManager* textManager_,
                         GUISoundManager* soundManager_, Camera* guiCamera, std::uint32_t flags_,
                         const Vector2& position_, const Vector2& size_, const Model* source, GUIWindow* parent_)
    : GUIButton(log_, shaderManager_, modelManager_, fontManager_, textManager_, soundManager_, guiCamera, flags_,
                position_, size_, source, parent_)
{
    hoverEvent = 2;
    pressEvent = 3;
}

GUICheckBox::~GUICheckBox() = default;

bool GUICheckBox::Update(const Vector2& cursor, bool held, bool pressed)
{
    const bool active = GUIButton::Update(cursor, held, pressed);
    if (active && clicked)
        checked = !checked;
    return active;
}

std::uint32_t GUICheckBox::GetFrame() const
{
    return TwoStateFrame(state, checked);
}

} // namespace OrvaneEngine
