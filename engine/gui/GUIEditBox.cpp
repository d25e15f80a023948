#include "engine/gui/GUIEditBox.h"

#include "engine/core/Controls.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUISoundManager.h"

#include <algorithm>
#include <cmath>

namespace OrvaneEngine
{
namespace
{

constexpr std::uint16_t KeyBackspace = 8;
constexpr std::uint16_t KeyEnd = 35;
constexpr std::uint16_t KeyHome = 36;
constexpr std::uint16_t KeyLeft = 37;
constexpr std::uint16_t KeyRight = 39;
constexpr std::uint16_t KeyInsert = 45;
constexpr std::uint16_t KeyDelete = 46;

} // namespace

GUIEditBox::GUIEditBox(MessageManager* log_, ShaderManager* shaderManager_, ModelManager* modelManager_,
                       GUIFontManager* fontManager_, GUITextManager* textManager_, TimerManager* timers_,
                       GUISoundManager* soundManager_, Controls* controls_, Camera* guiCamera, std::uint32_t flags_,
                       const Vector2& position_, const Vector2& size_, const Model* model_, std::int32_t fontId_,
                       const Color& color_, const Vector2& textOffset_, std::int32_t maxLength_, float maxWidth_,
                       float visibleWidth_, char16_t caretCharacter_, GUIWindow* parent_)
    : GUIWindow(log_, shaderManager_, modelManager_, fontManager_, textManager_, guiCamera, flags_, position_, size_,
                model_, parent_),
      timers(timers_), soundManager(soundManager_), controls(controls_), fontId(fontId_), color(color_),
      textOffset(textOffset_), caretCharacter(caretCharacter_), caretString(1, caretCharacter_),
      // A limit below one would put the caret before the first character.
      maxLength(std::max(maxLength_, 1)), maxWidth(maxWidth_), visibleWidth(visibleWidth_)
{
    if (fontId >= 0 && fontManager != nullptr)
        font = fontManager->GetFont(static_cast<std::uint32_t>(fontId));
}

GUIEditBox::~GUIEditBox() = default;

std::u16string GUIEditBox::Slice(std::int32_t first, std::int32_t last) const
{
    const auto length = static_cast<std::int32_t>(text.size());
    first = std::clamp(first, 0, length);
    last = std::clamp(last, first, length);
    return text.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first));
}

float GUIEditBox::Width(const std::u16string& piece) const
{
    return font != nullptr ? font->MeasureText(piece, 0.0f, -1.0f).x : 0.0f;
}

std::int32_t GUIEditBox::CaretLimit() const
{
    return std::min(static_cast<std::int32_t>(text.size()), maxLength - 1);
}

void GUIEditBox::SetText(const std::u16string& text_)
{
    text = text_;
    caret = CaretLimit();
    firstVisible = 0;
    ScrollToCaret();
}

bool GUIEditBox::CanAppend(char16_t character) const
{
    if (static_cast<std::int64_t>(text.size()) + 1 > maxLength)
        return false;
    return Width(text + character) <= maxWidth;
}

void GUIEditBox::ScrollToCaret()
{
    // A caret glyph wider than the view alone never fits: the view stops at
    // the caret instead of running past the text.
    while (firstVisible < caret && Width(Slice(firstVisible, caret) + caretString) > visibleWidth)
        ++firstVisible;
}

void GUIEditBox::Advance()
{
    const std::int32_t start = firstVisible;
    const std::int32_t oldCaret = caret;
    caret = CaretLimit();
    firstVisible = 0;
    ScrollToCaret();
    const std::int32_t endView = firstVisible;
    caret = std::min(oldCaret + 1, maxLength - 1);
    if (Width(Slice(start, caret + 1) + caretString) <= visibleWidth)
        firstVisible = start;
    else
        firstVisible = std::min(start + ScrollJump, endView);
}

void GUIEditBox::StepBack()
{
    if (caret > firstVisible)
        return;
    firstVisible -= std::min(firstVisible, ScrollJump);
    ScrollToCaret();
}

bool GUIEditBox::ApplyKey(std::uint16_t code)
{
    const auto length = static_cast<std::int32_t>(text.size());
    switch (code)
    {
    case KeyInsert:
        overwrite = !overwrite;
        return false;
    case KeyDelete:
        if (caret >= length)
            return false;
        text.erase(static_cast<std::size_t>(caret), 1);
        return true;
    case KeyBackspace:
        if (caret <= 0)
            return false;
        if (caret + 1 == length)
        {
            text.pop_back();
            return true;
        }
        text.erase(static_cast<std::size_t>(caret - 1), 1);
        --caret;
        StepBack();
        return true;
    case KeyLeft:
        if (caret > 0)
        {
            --caret;
            StepBack();
        }
        return false;
    case KeyRight:
        if (caret < length)
            Advance();
        return false;
    case KeyHome:
        caret = 0;
        firstVisible = 0;
        return false;
    case KeyEnd:
        caret = CaretLimit();
        ScrollToCaret();
        return false;
    default:
        return false;
    }
}

bool GUIEditBox::ApplyCharacter(char16_t character)
{
    if (character != u' ' && !font->HasGlyph(character))
        return false;
    const auto index = static_cast<std::size_t>(caret);
    if (overwrite && index < text.size())
        text[index] = character;
    else if (CanAppend(character))
        text.insert(std::min(index, text.size()), 1, character);
    else
        return false;
    Advance();
    return true;
}

bool GUIEditBox::Update(const Vector2& cursor, bool held, bool pressed)
{
    const bool shown = GUIWindow::Update(cursor, held, pressed);
    if (!shown || font == nullptr)
        return shown;

    Color textColor = color;
    textColor.a *= GetColor().a;

    bool changed = false;
    std::uint16_t code = 0;
    std::uint8_t isCharacter = 0;
    if (inputOn && controls != nullptr && controls->GetTypedChar(code, isCharacter))
        changed = isCharacter != 0 ? ApplyCharacter(static_cast<char16_t>(code)) : ApplyKey(code);

    std::u16string shownText = Slice(firstVisible, static_cast<std::int32_t>(text.size()));
    while (!shownText.empty() && Width(shownText) > visibleWidth)
        shownText.pop_back();
    AddWideText(0, static_cast<std::uint32_t>(fontId), textOffset, textColor, shownText, 0.0f, -1.0f);

    const Timer* clock = timers != nullptr ? timers->GetFrameTimer() : nullptr;
    const float now = clock != nullptr ? clock->GetTime() : 0.0f;
    if (inputOn && static_cast<std::int64_t>(std::floor(now / BlinkSeconds)) % 2 == 0)
    {
        const auto before = static_cast<std::size_t>(std::max(caret - firstVisible, 0));
        const float x = textOffset.x + Width(shownText.substr(0, std::min(before, shownText.size())));
        AddWideText(0, static_cast<std::uint32_t>(fontId), Vector2(x, textOffset.y), textColor, caretString, 0.0f,
                    -1.0f);
    }

    if (changed && soundManager != nullptr)
        soundManager->Play(ChangeEvent);
    return shown;
}

bool GUIEditBox::Render() { return GUIWindow::Render(); }

} // namespace OrvaneEngine
