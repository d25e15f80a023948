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
    // The sound event of a key that changed the text.
    static constexpr std::uint32_t ChangeEvent = 12;
    // The caret is shown and hidden for this long in turn.
    static constexpr float BlinkSeconds = 0.4f;
    // How far the view jumps when the caret leaves it.
    static constexpr std::int32_t ScrollJump = 5;

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

    // The caret goes to the end (within the length limit), the view follows.
    void SetText(const std::u16string& text);
    // Whether the character added at the end keeps both limits.
    bool CanAppend(char16_t character) const;
    // Moves the view right until the caret fits into the visible width.
    void ScrollToCaret();

    std::int32_t GetCaret() const { return caret; }
    std::int32_t GetFirstVisible() const { return firstVisible; }
    bool IsOverwrite() const { return overwrite; }
    const GUIFont* GetFont() const { return font; }

    // Read by screens; they switch input on and off.
    std::u16string text;
    bool inputOn = true;

protected:
    TimerManager* timers;
    GUISoundManager* soundManager;
    Controls* controls;
    std::int32_t fontId;
    GUIFont* font = nullptr;
    Color color;
    Vector2 textOffset;
    char16_t caretCharacter;
    std::u16string caretString;
    std::int32_t maxLength;
    float maxWidth;
    float visibleWidth;
    bool overwrite = false;
    std::int32_t caret = 0;
    std::int32_t firstVisible = 0;

private:
    // The text from first up to (not including) last, both clamped to it.
    std::u16string Slice(std::int32_t first, std::int32_t last) const;
    float Width(const std::u16string& piece) const;
    // The last place the caret may take for the current text.
    std::int32_t CaretLimit() const;
    void Advance();
    void StepBack();
    // Applies one typed key; true when the text changed.
    bool ApplyKey(std::uint16_t code);
    bool ApplyCharacter(char16_t character);
};

} // namespace OrvaneEngine
