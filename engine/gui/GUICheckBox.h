#pragma once

#include "engine/gui/GUIButton.h"

namespace OrvaneEngine
{

// A button whose every click turns its checked state over; its look has
// eight frames: three unchecked, three checked, two disabled.
class GUICheckBox : public GUIButton
{
public:
    GUICheckBox(MessageManager* log, ShaderManager* shaderManager, ModelManager* modelManager,
                GUIFontManager* fontManager, GUITextManager* textManager, GUISoundManager* soundManager,
                Camera* guiCamera, std::uint32_t flags, const Vector2& position, const Vector2& size,
                const Model* model, GUIWindow* parent);
    ~GUICheckBox() override;

    bool Update(const Vector2& cursor, bool held, bool pressed) override;
    std::uint32_t GetFrame() const override;

    bool checked = false;
};

// The eight looks of a two-state button: normal, hover and pressed while off,
// the same while on, then disabled off and on.
std::uint32_t TwoStateFrame(std::uint32_t state, bool on);

} // namespace OrvaneEngine
