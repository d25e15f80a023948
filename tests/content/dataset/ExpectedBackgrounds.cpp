#include "tests/content/dataset/DataSetExpectations.h"

namespace corvellan::test
{

std::vector<std::string> ExpectedBackgroundEntries()
{
    const std::string layers = "data\\ui\\menus\\background\\";
    const std::string foreground = "data\\ui\\menus\\models\\background\\";
    std::vector<std::string> names = {layers + "background.ini"};
    const auto model = [&](const std::string& base) {
        names.push_back(base + ".mlf");
        names.push_back(base + ".srf");
    };
    // A picture and the opacity beside it.
    const auto picture = [&](const std::string& base) {
        names.push_back(base + ".jpg");
        names.push_back(base + "_alpha.jpg");
    };

    for (const char* layer : {"sky", "clouds", "hills", "birds_path", "village", "castle", "castle_glow", "tower",
                              "unicorn", "unicorn_animated"})
        model(layers + "models\\" + layer);
    for (const char* system : {"birds", "sparkles"})
    {
        names.push_back(layers + "particles\\" + system + ".psf");
        names.push_back(layers + "particles\\" + system + ".srf");
    }
    names.push_back(layers + "textures\\sky.jpg");
    for (const char* layer : {"clouds", "hills", "village", "castle", "tower", "unicorn", "unicorn_animated"})
        picture(layers + "textures\\" + layer);
    names.push_back(layers + "textures\\bird.tga");
    names.push_back(layers + "textures\\sparkle.tga");

    for (const char* part : {"frame", "logo_brackwell", "mount_title", "mount_text", "text_appear", "text", "text_area",
                             "logo_additional_0"})
        model(foreground + part);
    for (const char* texture : {"frame", "logo_brackwell", "mount", "panel", "title"})
        picture(foreground + "textures\\" + texture);
    for (const std::string& code : AllLanguageCodes())
    {
        names.push_back(foreground + "title_" + code + ".ini");
        model(foreground + "title_" + code + "_0");
        model(foreground + "title_" + code + "_1");
        picture(foreground + "textures\\title_" + code + "_1");
    }

    names.push_back("data\\ui\\menus\\textures\\publisher_0_logo_big.jpg");
    picture("data\\ui\\menus\\textures\\publisher_0_logo_small");
    picture("data\\ui\\cursors\\cursor");
    return names;
}

} // namespace corvellan::test
