#include "engine/gui/GUIRadioButton.h"

#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIRadioGroupManager.h"

#include <vector>

namespace OrvaneEngine
{

GUIRadioButton::GUIRadioButton(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                               GUIFontManager* fontManager_, GUITextManager* textManager_,
                               GUISoundManager* soundManager_, GUIRadioGroupManager* groups_, Camera* guiCamera,
                               std::uint32_t flags_, const Vector2& position_, const Vector2& size_,
                               const Model* source, const std::string& group_, GUIWindow* parent_)
    : GUIButton(log_, shaderManager_, modelManager_, fontManager_, textManager_, soundManager_, guiCamera, flags_,
                position_, size_, source, parent_),
      groups(groups_), group(group_)
{
    hoverEvent = 4;
    pressEvent = 5;
}

GUIRadioButton::~GUIRadioButton() = default;

bool GUIRadioButton::Update(const Vector2& cursor, bool held, bool pressed)
{
    const bool active = GUIButton::Update(cursor, held, pressed);
    if (active && clicked && !selected)
    {
        selected = true;
        if (groups != nullptr)
        {
            std::vector<GUIRadioButton*> members;
            groups->GetGroup(group, members);
            for (GUIRadioButton* member : members)
            {
                if (member != this)
                    member->selected = false;
            }
        }
    }
    return active;
}

std::uint32_t GUIRadioButton::GetFrame() const
{
    return TwoStateFrame(state, selected);
}

} // namespace OrvaneEngine
