#include "content/DataLayout.h"

#include <stdexcept>

namespace corvellan::content
{

namespace
{

// A button's text area is its face less a margin on either side.
constexpr float DialogButtonText = 150.0f;
constexpr float MainMenuButtonText = 220.0f;
constexpr float LargeButtonText = 160.0f;
constexpr std::uint32_t LabelFont = 1;
constexpr std::uint32_t BodyFont = 2;
constexpr std::uint32_t MainMenuFont = 7;

bool IsDigits(const std::string& text)
{
    if (text.empty())
        return false;
    for (const char c : text)
    {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

const std::vector<DataWindow>& DataLayout::Windows()
{
    static const std::vector<DataWindow> windows = {
        // The level-complete value window at (249, 95) bounds the big one's area.
        {"big", {150, 30, 650, 470}, {182, 95, 618, 400}, {150, 40, 650, 85}},
        {"small", {175, 150, 625, 400}, {200, 215, 600, 365}, {175, 160, 625, 200}},
        {"large", {40, 20, 760, 500}, {60, 40, 740, 480}, {60, 40, 740, 85}},
        // Seven buttons 50 apart.
        {"main_menu", {270, 60, 530, 450}, {270, 60, 530, 450}, {290, 80, 510, 430}},
    };
    return windows;
}

const DataWindow& DataLayout::Window(const std::string& name)
{
    for (const DataWindow& window : Windows())
    {
        if (name == window.name)
            return window;
    }
    throw std::invalid_argument("no window named " + name);
}

const std::vector<DataTextPlace>& DataLayout::TextPlaces()
{
    const float large = Window("large").textArea.Width();
    const float big = Window("big").textArea.Width();
    static const std::vector<DataTextPlace> places = {
        // Button labels.
        {"OK", LabelFont, DialogButtonText},
        {"CANCEL", LabelFont, DialogButtonText},
        {"YES", LabelFont, DialogButtonText},
        {"NO", LabelFont, DialogButtonText},
        {"BACK", LabelFont, LargeButtonText},
        {"CONTINUE", LabelFont, DialogButtonText},
        {"EXIT", LabelFont, DialogButtonText},
        {"CONTINUE_GAME_LOGIC_CONTINUE_GAME", LabelFont, DialogButtonText},
        {"CONTINUE_GAME_LOGIC_NEW_GAME", LabelFont, DialogButtonText},
        {"GAME_LOGIC_EXIT_OK", LabelFont, DialogButtonText},
        {"GAME_LOGIC_MENU", LabelFont, DialogButtonText},
        {"GAME_LOGIC_MENU_EXIT", LabelFont, DialogButtonText},
        {"GAME_LOGIC_MENU_RESTART", LabelFont, DialogButtonText},
        {"GAME_LOGIC_MENU_RETURN", LabelFont, DialogButtonText},
        {"GAME_LOGIC_PAUSED_RESUME", LabelFont, DialogButtonText},
        {"HIGH_SCORES_ARCADE_MODE_BUTTON", LabelFont, DialogButtonText},
        {"HIGH_SCORES_RELAX_MODE_BUTTON", LabelFont, DialogButtonText},
        {"OPTIONS_APPLY", LabelFont, DialogButtonText},
        {"OPTIONS_DEFAULTS", LabelFont, DialogButtonText},
        {"PROFILES_NEW", LabelFont, DialogButtonText},
        {"PROFILES_RENAME", LabelFont, DialogButtonText},
        {"PROFILES_DELETE", LabelFont, DialogButtonText},
        {"PROFILES_DONE", LabelFont, DialogButtonText},
        {"START_GAME_CONTINUE", LabelFont, LargeButtonText},
        {"START_GAME_START", LabelFont, LargeButtonText},
        {"TUTORIAL_CONTINUE", LabelFont, LargeButtonText},
        {"GAME_LOGIC_LEVEL", LabelFont, PanelLevelTitle.Width()},
        {"GAME_LOGIC_SCORE", LabelFont, PanelScoreTitle.Width()},
        {"MAIN_MENU_START", MainMenuFont, MainMenuButtonText},
        {"MAIN_MENU_HIGH_SCORES", MainMenuFont, MainMenuButtonText},
        {"MAIN_MENU_OPTIONS", MainMenuFont, MainMenuButtonText},
        {"MAIN_MENU_CHANGE_PROFILE", MainMenuFont, MainMenuButtonText},
        {"MAIN_MENU_SHOW_PLACE", MainMenuFont, MainMenuButtonText},
        {"MAIN_MENU_CREDITS", MainMenuFont, MainMenuButtonText},
        {"MAIN_MENU_EXIT", MainMenuFont, MainMenuButtonText},
        // Page lines, within their window's text area.
        {"HELP_TEXT_", BodyFont, large},
        {"INTRODUCTION_TEXT_", BodyFont, large},
        {"RELAX_TEXT_", BodyFont, large},
        {"GAME_COMPLETE_TEXT_", BodyFont, big},
    };
    return places;
}

const DataTextPlace* DataLayout::PlaceOf(const std::string& key)
{
    for (const DataTextPlace& place : TextPlaces())
    {
        const std::string name = place.key;
        if (name == key)
            return &place;
        if (name.back() == '_' && key.compare(0, name.size(), name) == 0 && IsDigits(key.substr(name.size())))
            return &place;
    }
    if (key.size() > 6 && key.compare(key.size() - 6, 6, "_TITLE") == 0)
    {
        static const DataTextPlace title{"_TITLE", TitleFontId, TitleArea.Width()};
        return &title;
    }
    return nullptr;
}

} // namespace corvellan::content
