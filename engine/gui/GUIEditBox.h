#pragma once

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"
#include "engine/gui/GUIWindow.h"

#include <cstdint>
#include <string>

namespace OrvaneEngine
{

class Controls;
class GUIFont;
class GUISoundManager;
class TimerManager;

// A single-line text field: takes typed characters and editing keys, keeps
// the caret inside a visible width and blinks it. Every visible box with
// input on takes every key: there is no focus.
class GUIEditBox : public GUIWindow
{
public:
    // fontId -1: no font, and the box does nothing. A null model gives a box
    // without a picture of its own.
    GUIEditBox(MessageManager* log, ShaderManager* shaderManager, ModelManager* modelManager,
               GUIFontManager* fontManager, GUITextManager* textManager, TimerManager* timers,
               GUISoundManager* soundManager, Controls* controls, Camera* guiCamera, std::uint32_t flags,
               const Vector2& position, const Vector2& size, const Model* model, std::int32_t fontId,
               const Color& color, const Vector2& textOffset, std::int32_t maxLength, float maxWidth,
               float visibleWidth, char16_t caretCharacter, GUIWindow* parent);
    ~GUIEditBox() override;

    bool Update(const Vector2& cursor, bool held, bool pressed) override;
    bool Render() override;

    void SetText(const std::u16string& text);

    // Read by screens; they switch input on and off.
    std::u16string text;
    bool inputOn = true;

protected:
    TimerManager* timers;
    GUISoundManager* soundManager;
    Controls* controls;
};

} // namespace OrvaneEngine
