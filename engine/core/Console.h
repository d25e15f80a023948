#pragma once

#include "engine/core/Color.h"
#include "engine/core/ConsoleLine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class Config;
class Controls;
class GUIEditBox;
class GUIFont;
class GUIManager;
class GUIWindow;
class MessageManager;
class ShaderDescriptor;
class ShaderManager;
class TimerManager;

// The drop-down console over the configuration registry: slides in and out
// on its toggle key, shows the frame's log entries coloured by level and
// runs the typed line, with history, name completion and scrolling back.
class Console
{
public:
    static constexpr std::uint32_t StateOpening = 0;
    static constexpr std::uint32_t StateOpen = 1;
    static constexpr std::uint32_t StateClosing = 2;
    static constexpr std::uint32_t StateClosed = 3;
    // Used for the rows when the font is missing.
    static constexpr float FallbackRowHeight = 16.0f;

    Console(MessageManager* log, TimerManager* timers, Config* config, Controls* controls,
            ShaderManager* shaderManager, GUIManager* gui, const std::string& caption,
            const ShaderDescriptor* windowShader, std::uint32_t fontId, char16_t caretCharacter,
            char16_t promptCharacter, char16_t markerCharacter, const std::string& toggleKey, float alpha, float size,
            float speed);
    virtual ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    void Update();
    // Splits the text into pieces that fit the screen width; a text without
    // a final line feed leaves its row open for the next call.
    void AddWrappedText(const Color& color, const std::u16string& text);

    std::uint32_t GetState() const { return state; }
    std::int32_t GetScroll() const { return scroll; }
    const std::vector<ConsoleLine>& GetLines() const { return lines; }
    const std::vector<std::u16string>& GetHistory() const { return history; }
    const std::u16string& GetTitleRow() const { return titleRow; }
    const std::u16string& GetMarkerRow() const { return markerRow; }
    GUIWindow* GetWindow() const { return window; }
    GUIEditBox* GetEditBox() const { return editBox; }
    float GetRowStep() const { return rowStep; }
    float GetBaseOffset() const { return baseOffset; }

private:
    void Slide();
    void QueueRows();
    void HandleKey(std::uint16_t code);
    void ExecuteLine();
    void CompleteLine();
    void ShowHistoryEntry();
    float Width(const std::u16string& text) const;
    void CheckRanges(float alphaArgument, float sizeArgument, float speedArgument);

    MessageManager* log;
    TimerManager* timers;
    Config* config;
    Controls* controls;
    ShaderManager* shaderManager;
    GUIManager* gui;
    std::uint32_t state = StateClosed;
    std::string toggleKey;
    float alpha = 0.0f;
    float size = 0.0f;
    float speed = 0.0f;
    std::u16string prompt;
    std::u16string markerRow;
    std::u16string titleRow;
    std::string sayText;
    std::uint32_t fontId;
    GUIFont* font = nullptr;
    GUIWindow* window = nullptr;
    GUIEditBox* editBox = nullptr;
    std::int32_t scroll = 0;
    std::vector<ConsoleLine> lines;
    std::int32_t historyIndex = 0;
    std::vector<std::u16string> history;
    float baseOffset = 0.0f;
    float rowStep = 0.0f;
    std::u16string speaker;
};

} // namespace OrvaneEngine
