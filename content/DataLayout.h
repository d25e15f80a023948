#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::content
{

// A rectangle on the 800 x 600 virtual screen, y up.
struct DataRect
{
    float left;
    float bottom;
    float right;
    float top;

    float Width() const { return right - left; }
};

// A window of the screens: its frame, where its texts stand, and the row of
// its buttons.
struct DataWindow
{
    const char* name;
    DataRect frame;
    DataRect textArea;
    DataRect buttons;
};

// Where the screens print a text: the keys it covers, the font and the width
// the text must keep within. A key ending in '_' stands for every numbered
// line "<key><n>".
struct DataTextPlace
{
    const char* key;
    std::uint32_t fontId;
    float width;
};

// The places where the screens print texts. The fit check measures every
// language's texts against them, and the screens' window, button and area
// models are built from the same numbers.
class DataLayout
{
public:
    static constexpr DataRect TitleArea{150.0f, 545.0f, 650.0f, 590.0f};
    // The room the player's name needs after the welcome, ", " and "!".
    static constexpr float NameRoom = 150.0f;
    static constexpr float WelcomeMargin = 25.0f;
    static constexpr std::uint32_t TitleFontId = 1;
    // The in-game panel's strip, and where its titles and values stand.
    static constexpr DataRect PanelStrip{63.0f, 6.0f, 640.0f, 56.0f};
    static constexpr DataRect PanelLevelTitle{254.0f, 11.0f, 334.0f, 51.0f};
    static constexpr DataRect PanelLevelValue{338.0f, 14.0f, 382.0f, 48.0f};
    static constexpr DataRect PanelScoreTitle{392.0f, 11.0f, 486.0f, 51.0f};
    static constexpr DataRect PanelScoreValue{490.0f, 14.0f, 552.0f, 48.0f};
    static constexpr std::uint32_t PanelValueFontId = 6;

    static const std::vector<DataWindow>& Windows();
    static const DataWindow& Window(const std::string& name);
    static const std::vector<DataTextPlace>& TextPlaces();
    // The place of one key: its own or its numbered lines'; null when the
    // screens print it nowhere the layout bounds.
    static const DataTextPlace* PlaceOf(const std::string& key);
};

} // namespace corvellan::content
