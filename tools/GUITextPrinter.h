#pragma once

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"

#include <cstdint>
#include <string>

namespace OrvaneEngine
{
class Engine;
class GUIFontManager;
class GUITextManager;
class GUIWindow;
class TimerManager;
} // namespace OrvaneEngine

namespace GameTools
{

// Types a text into a window character by character; a new text first
// erases the old one backwards at the same speed.
class GUITextPrinter
{
public:
    GUITextPrinter(OrvaneEngine::Engine* engine, OrvaneEngine::GUIWindow* window, std::uint32_t alignment,
                   float speed, std::uint32_t fontId, const OrvaneEngine::Vector2& position,
                   const OrvaneEngine::Color& color);
    virtual ~GUITextPrinter();
    GUITextPrinter(const GUITextPrinter&) = delete;
    GUITextPrinter& operator=(const GUITextPrinter&) = delete;

    // The same text again does not start over.
    void SetText(const std::u16string& text);
    // The language text of the key.
    void SetTextKey(const std::string& key);
    void Clear();
    // Once per frame: moves the typing on and queues what shows on the window.
    void Print();

    bool IsFinished() const { return finished; }
    // The colour of the next Print; the menu background fades its text through it.
    const OrvaneEngine::Color& GetColor() const { return color; }
    void SetColor(const OrvaneEngine::Color& newColor) { color = newColor; }
    const std::u16string& GetText() const { return text; }

private:
    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::GUIFontManager* fontManager;
    OrvaneEngine::GUITextManager* textManager;
    OrvaneEngine::GUIWindow* window;
    std::uint32_t alignment;
    float speed;
    std::uint32_t fontId;
    OrvaneEngine::Vector2 position;
    OrvaneEngine::Color color;
    // Characters shown, growing or shrinking at the speed.
    float shownCount = 0.0f;
    std::u16string text;
    // What was on the window before the text changed, while it is erased.
    std::u16string shownText;
    bool finished = true;
};

} // namespace GameTools
