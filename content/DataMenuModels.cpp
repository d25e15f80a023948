#include "content/DataMenuModels.h"

#include "content/DataArtFiles.h"
#include "content/DataMenuArt.h"
#include "content/DataMenuControls.h"
#include "content/DataMenuParts.h"
#include "content/DataMenuPlaces.h"
#include "content/DataStaging.h"
#include "content/FuzzSeeds.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace corvellan::content
{

namespace
{

using Parts = DataMenuParts;
using Places = DataMenuPlaces;

constexpr std::uint32_t WindowFrames = 24;
constexpr std::uint32_t MainMenuButtonFrames = 16;
constexpr std::uint32_t PopInFrames = 12;
constexpr std::uint32_t ButtonNet = 2;
constexpr std::uint32_t ButtonLooks = 4;

struct MenuWindow
{
    const char* folder;
    const char* layout;
    std::uint32_t pictureWidth;
    std::uint32_t pictureHeight;
};

const std::vector<MenuWindow>& MenuWindows()
{
    static const std::vector<MenuWindow> windows = {{"main_menu", "main_menu", 256, 512},
                                                    {"small_window", "small", 512, 256},
                                                    {"big_window", "big", 512, 512},
                                                    {"large_window", "large", 512, 512}};
    return windows;
}

ModelFileRecord FrameModel(const DataWindow& layout) { return Parts::Unfold(layout.frame, WindowFrames); }

void StageWindows(DataStaging& staging)
{
    std::uint32_t seed = 11;
    for (const MenuWindow& window : MenuWindows())
    {
        const DataWindow& layout = DataLayout::Window(window.layout);
        const std::string folder = Parts::Models + window.folder + "\\";
        const ModelFileRecord frame = FrameModel(layout);
        Parts::CheckFrameModel(folder + "window.mlf", frame);
        Parts::PutPhoto(staging, folder + "window", frame,
                          DataMenuArt::Panel(window.pictureWidth, window.pictureHeight, seed++));
        Parts::PutBox(staging, folder + "window_area", layout.textArea);
    }
}

// An appear model drawn with the normal look of its widget's net.
void PutAppear(DataStaging& staging, const std::string& name, const ModelFileRecord& model,
               const std::string& widgetPicture, std::uint32_t columns, std::uint32_t rows, std::uint32_t looks)
{
    Parts::Put(staging, name, model, Parts::Textured(widgetPicture, columns, rows, looks));
}

DataRect Shifted(const DataRect& rect, float dx, float dy)
{
    return {rect.left + dx, rect.bottom + dy, rect.right + dx, rect.top + dy};
}

void StageMainMenuButtons(DataStaging& staging)
{
    // They slide in from the left, the top one (button_6, START) first.
    constexpr std::uint32_t Buttons = 7;
    constexpr std::uint32_t Slide = MainMenuButtonFrames - Buttons;
    constexpr float Away = 560.0f;
    const std::string picture = "ui\\menus\\models\\controls\\button_main_menu.tga";
    for (std::uint32_t k = 0; k < Buttons; ++k)
    {
        const DataRect place = Shifted(Places::MainMenuButton, 0.0f, Places::MainMenuStep * static_cast<float>(k));
        const std::uint32_t start = Buttons - 1 - k;
        std::vector<DataRect> frames;
        for (std::uint32_t f = 0; f < MainMenuButtonFrames; ++f)
        {
            const float t = f <= start ? 0.0f
                                       : std::min(1.0f, static_cast<float>(f - start) / static_cast<float>(Slide));
            const float eased = 1.0f - (1.0f - t) * (1.0f - t) * (1.0f - t);
            frames.push_back(Shifted(place, -Away * (1.0f - eased), 0.0f));
        }
        PutAppear(staging, Parts::Models + "main_menu\\button_" + std::to_string(k), Parts::Morph(frames), picture,
                  ButtonNet, ButtonNet, ButtonLooks);
    }
}

void StageWindowButtons(DataStaging& staging)
{
    const std::string big = "ui\\menus\\models\\controls\\button_big.tga";
    const std::string small = "ui\\menus\\models\\controls\\button_small.tga";
    for (std::uint32_t i = 0; i < 3; ++i)
        PutAppear(staging, Parts::Models + "big_window\\button_" + std::to_string(i),
                  Parts::PopIn(Places::BigWindowButtons[i], PopInFrames), big, ButtonNet, ButtonNet, ButtonLooks);
    for (std::uint32_t i = 0; i < 2; ++i)
        PutAppear(staging, Parts::Models + "small_window\\button_" + std::to_string(i),
                  Parts::PopIn(Places::SmallWindowButtons[i], PopInFrames), big, ButtonNet, ButtonNet, ButtonLooks);
    PutAppear(staging, Parts::Models + "large_window\\button_0", Parts::PopIn(Places::LargeWindowButtons[0], PopInFrames),
              small, ButtonNet, ButtonNet, ButtonLooks);
    // The stage map's own controls play no appear animation.
    Parts::PutBox(staging, Parts::Models + "large_window\\button_1", Places::LargeWindowButtons[1]);
    Parts::PutPicture(staging, Parts::Models + "small_window\\edit", DataArtFiles::Quad(Places::NameEdit),
                      DataMenuArt::Field(256, 32));
}

void StageOptions(DataStaging& staging)
{
    const std::string options = Parts::Models + "options\\";
    Parts::PutBox(staging, options + "slider_music", Places::OptionsMusic);
    Parts::PutBox(staging, options + "slider_sound", Places::OptionsSound);
    Parts::PutBox(staging, options + "fullscreen_check_box", Places::OptionsFullscreen);
    Parts::PutPicture(staging, options + "resolution_text", DataArtFiles::Quad(Places::ResolutionText),
                      DataMenuArt::Field(256, 32));
    Parts::PutBox(staging, options + "resolution_text_area", Places::ResolutionTextArea);
    PutAppear(staging, options + "resolution_button_left", Parts::PopIn(Places::ResolutionLeft, PopInFrames),
              "ui\\menus\\models\\controls\\button_arrow_left.tga", ButtonNet, ButtonNet, ButtonLooks);
    PutAppear(staging, options + "resolution_button_right", Parts::PopIn(Places::ResolutionRight, PopInFrames),
              "ui\\menus\\models\\controls\\button_arrow_right.tga", ButtonNet, ButtonNet, ButtonLooks);

    const std::string menu = Parts::Models + "game_logic_menu\\";
    Parts::PutBox(staging, menu + "slider_music", Places::GameMenuMusic);
    Parts::PutBox(staging, menu + "slider_sound", Places::GameMenuSound);
    Parts::PutBox(staging, menu + "fullscreen_check_box", Places::GameMenuFullscreen);
}

void StageProfiles(DataStaging& staging)
{
    const std::string profiles = Parts::Models + "profiles\\";
    const std::string small = "ui\\menus\\models\\controls\\button_small.tga";
    for (std::uint32_t i = 0; i < 4; ++i)
        PutAppear(staging, profiles + "button_" + std::to_string(i),
                  Parts::PopIn(Places::ProfileButtons[i], PopInFrames), small, ButtonNet, ButtonNet, ButtonLooks);
    Parts::PutBox(staging, profiles + "scroll", Places::ScrollV);
    Parts::PutPicture(staging, profiles + "text", DataArtFiles::Quad(Places::ProfileNames),
                      DataMenuArt::Field(128, 128));
}

} // namespace

void DataMenuModels::Stage(DataStaging& staging)
{
    StageWindows(staging);
    StageMainMenuButtons(staging);
    StageWindowButtons(staging);
    StageOptions(staging);
    StageProfiles(staging);
    DataMenuControls::Stage(staging);
}

void DataMenuModels::WriteSeeds(const std::string& folder)
{
    // The small window's frame: a real morph model, and its textured shader.
    const ModelFileRecord frame = FrameModel(DataLayout::Window("small"));
    const std::string shader = ShaderFileWriter::Build(Parts::Textured("window.tga"));
    if (!WriteSeed(folder, "model_file", "data_small_window.mlf", ModelFileWriter::Build(frame)) ||
        !WriteSeed(folder, "shader_file", "data_small_window.srf", shader) ||
        !WriteSeed(folder, "shader_file", "data_button_big.srf",
                   ShaderFileWriter::Build(Parts::Textured("button_big.tga", ButtonNet, ButtonNet, ButtonLooks))))
        throw std::runtime_error(folder + ": cannot write the menu model seeds");
}

} // namespace corvellan::content
