#include "tests/content/dataset/DataSetExpectations.h"

namespace corvellan::test
{

namespace
{

void Model(std::vector<std::string>& names, const std::string& path)
{
    names.push_back(path + ".mlf");
    names.push_back(path + ".srf");
}

void Particles(std::vector<std::string>& names, const std::string& path)
{
    names.push_back(path + ".psf");
    names.push_back(path + ".srf");
}

void Texture(std::vector<std::string>& names, const std::string& path)
{
    names.push_back(path + ".jpg");
    names.push_back(path + "_alpha.jpg");
}

} // namespace

std::vector<std::string> ExpectedGameObjectEntries()
{
    std::vector<std::string> names;
    const std::string objects = "data\\game_objects\\";
    const std::string miniGame = objects + "mini_game\\";
    for (const char* name : {"cell_top", "cell_bottom", "cell_border", "arrow_up", "arrow_right", "arrow_down",
                             "arrow_left"})
        Model(names, miniGame + name);
    for (const char* name : {"cell_border", "arrow"})
        Texture(names, miniGame + "textures\\" + name);
    // One totem picture per stage.
    for (std::size_t stage = 0; stage < ExpectedStages().size(); ++stage)
        Texture(names, miniGame + "textures\\totem_" + std::to_string(stage));

    const std::string depository = objects + "depository\\";
    for (const char* name : {"obstacle", "hole_bottom", "hole_top", "path_000", "path_001", "path_002", "path_003",
                             "path_004", "path_005"})
        Model(names, depository + name);
    Particles(names, depository + "path_start_effect");
    Particles(names, depository + "path_finish_effect");
    Texture(names, depository + "textures\\hole_bottom");
    Texture(names, depository + "textures\\hole_top");

    Model(names, objects + "carriage\\carriage");
    Texture(names, objects + "carriage\\textures\\carriage");
    for (const char* name : {"magnet", "pause", "rollback", "tip"})
    {
        Model(names, objects + "bonuses\\" + name);
        Texture(names, objects + "bonuses\\textures\\" + name);
    }

    Model(names, objects + "board\\level_complete");
    Texture(names, objects + "board\\level_complete");
    Particles(names, objects + "board\\level_complete_effect");
    Particles(names, objects + "board\\tip_effect");

    for (const char* name : {"blank", "glow", "spark"})
        Texture(names, objects + "textures\\" + name);

    names.push_back("data\\ui\\menus\\map\\map.gmf");
    for (const char* name : {"start", "finish", "check_point", "path", "path_check_point"})
    {
        Model(names, std::string("data\\ui\\menus\\map\\models\\") + name);
        Texture(names, std::string("data\\ui\\menus\\map\\textures\\") + name);
    }
    return names;
}

} // namespace corvellan::test
