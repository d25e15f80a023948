#include "tests/content/dataset/DataSetExpectations.h"

namespace corvellan::test
{

namespace
{

const std::string Models = "data\\ui\\menus\\models\\";

// A model and the shader beside it.
void AddModel(std::vector<std::string>& names, const std::string& stem)
{
    names.push_back(Models + stem + ".mlf");
    names.push_back(Models + stem + ".srf");
}

void AddPicture(std::vector<std::string>& names, const std::string& stem, bool withOpacity)
{
    names.push_back(Models + stem + ".jpg");
    if (withOpacity)
        names.push_back(Models + stem + "_alpha.jpg");
}

} // namespace

std::vector<std::string> ExpectedScreenModelEntries()
{
    std::vector<std::string> names;
    // The in-game panel, as the game data loads it.
    for (const char* model :
         {"background", "main_panel", "menu_button", "level_name_text_area", "level_name", "level_name_title_text_area",
          "score_text_area", "score", "score_title_text_area", "minimize_button", "maximize_window_button",
          "maximize_fullscreen_button", "close_button"})
        AddModel(names, std::string("game_logic\\") + model);
    AddPicture(names, "game_logic\\background", true);
    AddPicture(names, "game_logic\\main_panel", false);
    AddPicture(names, "game_logic\\value_box", false);

    // The stage map's own models and the game-complete effects.
    AddModel(names, "start_game\\map");
    AddPicture(names, "start_game\\map", false);
    AddModel(names, "start_game\\relax_check_box");
    for (int stage = 0; stage < 8; ++stage)
        AddModel(names, "start_game\\totem_" + std::to_string(stage));
    for (int effect = 0; effect < 3; ++effect)
        AddModel(names, "start_game\\game_complete_effect_" + std::to_string(effect));
    AddPicture(names, "start_game\\glow", true);
    AddPicture(names, "start_game\\star", true);

    AddModel(names, "level_complete\\frame");
    AddPicture(names, "level_complete\\frame", true);
    AddModel(names, "level_complete\\totem");

    for (const char* model : {"background", "closed_element", "element_0", "element_1", "element_2", "element_3",
                              "mouse", "mouse_control"})
        AddModel(names, std::string("tutorial\\") + model);
    AddPicture(names, "tutorial\\background", true);
    AddPicture(names, "tutorial\\closed_element", true);
    AddPicture(names, "tutorial\\pieces", false);
    AddPicture(names, "tutorial\\mouse_control", true);
    return names;
}

} // namespace corvellan::test
