#pragma once

#include "engine/gui/GUIButton.h"

#include <string>

namespace OrvaneEngine
{

class GUIRadioGroupManager;

// A button that is one of a named group in which at most one is selected: a
// click selects it and deselects the others of its group.
class GUIRadioButton : public GUIButton
{
public:
    GUIRadioButton(MessageManager* log, ShaderManager* shaderManager, ModelManager* modelManager,
                   GUIFontManager* fontManager, GUITextManager* textManager, GUISoundManager* soundManager,
                   GUIRadioGroupManager* groups, Camera* guiCamera, std::uint32_t flags, const Vector2& position,
                   const Vector2& size, const Model* model, const std::string& group, GUIWindow* parent);
    ~GUIRadioButton() override;

    bool Update(const Vector2& cursor, bool held, bool pressed) override;
    std::uint32_t GetFrame() const override;

    const std::string& GetGroupName() const { return group; }

private:
    GUIRadioGroupManager* groups;
    std::string group;

public:
    bool selected = false;
};

} // namespace OrvaneEngine
