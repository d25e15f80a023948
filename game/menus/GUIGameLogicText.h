#pragma once

#include "engine/core/Vector2.h"

#include <cstdint>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Engine;
class GUIFontManager;
class GUIWindow;
class TimerManager;
} // namespace OrvaneEngine

namespace Mirabel
{

// One short text over the board: it grows in, rises, fades out and then
// reports itself done. It is printed afresh on its window every frame.
class GUIGameLogicText
{
public:
    static constexpr std::uint32_t FontId = 10;
    static constexpr float GrowTime = 0.2f;
    static constexpr float FullHeight = 22.0f;
    static constexpr float RiseSpeed = 35.0f;
    static constexpr float FadeStart = 1.2f;
    static constexpr float FadeTime = 0.75f;
    static constexpr float LifeTime = FadeStart + FadeTime;

    // Each line feed ends a line; a trailing one makes no empty last line.
    GUIGameLogicText(OrvaneEngine::Engine* engine, const OrvaneEngine::Vector2& position, const std::u16string& text,
                     OrvaneEngine::GUIWindow* window);
    virtual ~GUIGameLogicText();
    GUIGameLogicText(const GUIGameLogicText&) = delete;
    GUIGameLogicText& operator=(const GUIGameLogicText&) = delete;

    // Ages the text by the frame time and queues its lines on the window;
    // the frame that ends its life still prints it.
    void Update();

    const std::vector<std::u16string>& GetLines() const { return lines; }
    const OrvaneEngine::Vector2& GetPosition() const { return position; }
    float GetTime() const { return time; }
    bool IsAlive() const { return alive; }

private:
    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::GUIFontManager* fontManager;
    OrvaneEngine::Vector2 position;
    std::vector<std::u16string> lines;
    OrvaneEngine::GUIWindow* window;
    float time = 0.0f;
    bool alive = true;
};

} // namespace Mirabel
