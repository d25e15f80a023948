#include "tools/GUITextPrinter.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"

#include <algorithm>
#include <cmath>

namespace GameTools
{

namespace
{

// Below this a count is spent; above the length by this a text is whole, so
// the float's rounding never leaves the last character out.
constexpr float countMargin = 0.0001f;

} // namespace

GUITextPrinter::GUITextPrinter(OrvaneEngine::Engine* engine, OrvaneEngine::GUIWindow* window,
                               std::uint32_t alignment, float speed, std::uint32_t fontId,
                               const OrvaneEngine::Vector2& position, const OrvaneEngine::Color& color)
    : timerManager(engine->timerManager.get()),
      fontManager(engine->guiManager->GetFontManager()),
      textManager(engine->guiManager->GetTextManager()),
      window(window),
      alignment(alignment),
      speed(speed),
      fontId(fontId),
      position(position),
      color(color)
{
}

GUITextPrinter::~GUITextPrinter() = default;

void GUITextPrinter::SetText(const std::u16string& newText)
{
    finished = finished && newText == text;
    text = newText;
}

void GUITextPrinter::SetTextKey(const std::string& key)
{
    SetText(textManager->GetText(key));
}

void GUITextPrinter::Clear()
{
    text.clear();
    shownText.clear();
    shownCount = 0.0f;
    finished = true;
}

void GUITextPrinter::Print()
{
    if (!window)
        return;
    const float step = speed * timerManager->frameTime;
    std::u16string drawn;
    if (text != shownText)
    {
        shownCount -= step;
        drawn = shownText;
        if (shownCount <= countMargin)
        {
            shownCount = 0.0f;
            shownText = text;
        }
    }
    else
    {
        shownCount = std::min(shownCount + step, static_cast<float>(text.size()) + countMargin);
        drawn = text;
    }

    // Laid out whole, so an aligned text keeps its place while it grows.
    const OrvaneEngine::Vector2 aligned = fontManager->AlignText(alignment, fontId, window, position, 0.0f, drawn);
    const OrvaneEngine::Vector2 plain = fontManager->AlignText(0, fontId, window, position, 0.0f, drawn);
    const OrvaneEngine::Vector2 at(position.x + aligned.x - plain.x, position.y + aligned.y - plain.y);
    const std::size_t count = std::min(drawn.size(), static_cast<std::size_t>(std::max(shownCount, 0.0f)));
    const std::u16string part = drawn.substr(0, count);
    window->AddWideText(0, fontId, at, color, part, 0.0f, -1.0f);
    finished = part == text;
}

} // namespace GameTools
