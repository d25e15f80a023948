#include "tests/content/dataset/DataSetExpectations.h"

namespace corvellan::test
{

namespace
{

const std::string Menus = "data\\ui\\menus\\models\\";

void Add(std::vector<std::string>& names, const std::string& stem, bool picture)
{
    names.push_back(stem + ".mlf");
    names.push_back(stem + ".srf");
    if (picture)
        names.push_back(stem + ".tga");
}

void AddNumbered(std::vector<std::string>& names, const std::string& stem, int count)
{
    for (int i = 0; i < count; ++i)
        Add(names, stem + std::to_string(i), false);
}

} // namespace

std::vector<std::string> ExpectedMenuModelEntries()
{
    std::vector<std::string> names;
    // The four menu frames with their text areas and their buttons' appear
    // models; the appear models draw with their widget's picture.
    for (const char* window : {"main_menu", "small_window", "big_window", "large_window"})
    {
        Add(names, Menus + window + "\\window", false);
        names.push_back(Menus + window + "\\window.jpg");
        names.push_back(Menus + window + "\\window_alpha.jpg");
        Add(names, Menus + window + "\\window_area", false);
    }
    AddNumbered(names, Menus + "main_menu\\button_", 7);
    AddNumbered(names, Menus + "small_window\\button_", 2);
    Add(names, Menus + "small_window\\edit", true);
    AddNumbered(names, Menus + "big_window\\button_", 3);
    AddNumbered(names, Menus + "large_window\\button_", 2);

    for (const char* name : {"fullscreen_check_box", "resolution_button_left", "resolution_button_right",
                             "resolution_text_area", "slider_music", "slider_sound"})
        Add(names, Menus + "options\\" + name, false);
    Add(names, Menus + "options\\resolution_text", true);
    AddNumbered(names, Menus + "profiles\\button_", 4);
    Add(names, Menus + "profiles\\scroll", false);
    Add(names, Menus + "profiles\\text", true);
    for (const char* name : {"fullscreen_check_box", "slider_music", "slider_sound"})
        Add(names, Menus + "game_logic_menu\\" + name, false);

    const std::string controls = Menus + "controls\\";
    for (const char* button : {"button_big", "button_small", "button_main_menu", "button_game_logic_minimize",
                               "button_game_logic_maximize", "button_game_logic_close"})
    {
        Add(names, controls + button, true);
        Add(names, controls + button + "_selection_area", false);
        Add(names, controls + button + "_text_area", false);
    }
    for (const char* name : {"button_arrow_up", "button_arrow_down", "button_arrow_left", "button_arrow_right",
                             "check_box", "totem"})
        Add(names, controls + name, true);
    for (const char* scroll : {"scroll_h", "scroll_v"})
    {
        Add(names, controls + scroll, true);
        Add(names, controls + scroll + "_toddler", true);
        for (const char* part : {"_toddler_min", "_toddler_max", "_button_increase", "_button_decrease"})
            Add(names, controls + scroll + part, false);
    }

    const std::string particles = "data\\ui\\menus\\particles\\";
    for (const char* system : {"cursor_train", "cursor_click", "upgrade"})
    {
        names.push_back(particles + system + ".psf");
        names.push_back(particles + system + ".srf");
    }
    names.push_back(particles + "spark.tga");
    return names;
}

} // namespace corvellan::test
