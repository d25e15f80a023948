#include "content/DataMenuControls.h"

#include "content/DataArtFiles.h"
#include "content/DataMenuArt.h"
#include "content/DataMenuParts.h"
#include "content/DataMenuPlaces.h"
#include "content/DataStaging.h"
#include "content/ModelMeshes.h"
#include "content/ParticleFileWriter.h"

#include <string>
#include <vector>

namespace corvellan::content
{

namespace
{

using Parts = DataMenuParts;
using Places = DataMenuPlaces;

// A widget with its picture as a net of looks, its hit area and its text area.
struct Button
{
    const char* name;
    DataRect face;
    DataRect text;
    std::uint32_t cellWidth;
    std::uint32_t cellHeight;
};

void StageButtons(DataStaging& staging)
{
    const std::vector<Button> buttons = {
        {"button_big", Places::BigButton, Places::BigButtonText, 128, 32},
        {"button_small", Places::SmallButton, Places::SmallButtonText, 128, 32},
        {"button_main_menu", Places::MainMenuButton, Places::MainMenuButtonText, 256, 64},
    };
    for (const Button& button : buttons)
    {
        const std::string name = Parts::Controls + button.name;
        Parts::PutPicture(staging, name, DataArtFiles::Quad(button.face),
                          DataMenuArt::Net(2, 2, button.cellWidth, button.cellHeight, 4, DataMenuArt::ButtonLook), 2, 2,
                          4);
        Parts::PutBox(staging, name + "_selection_area", button.face);
        Parts::PutBox(staging, name + "_text_area", button.text);
    }
}

void PutSymbol(DataStaging& staging, const std::string& name, const DataRect& face, std::uint32_t symbol)
{
    const auto paint = [symbol](DataCanvas& canvas, std::uint32_t look, float x0, float y0, float x1, float y1) {
        DataMenuArt::SymbolLook(canvas, look, symbol, x0, y0, x1, y1);
    };
    Parts::PutPicture(staging, name, DataArtFiles::Quad(face), DataMenuArt::Net(2, 2, 32, 32, 4, paint), 2, 2, 4);
}

void StageSymbolButtons(DataStaging& staging)
{
    PutSymbol(staging, Parts::Controls + "button_arrow_up", Places::ScrollVIncrease, 0);
    PutSymbol(staging, Parts::Controls + "button_arrow_right", Places::ScrollHIncrease, 1);
    PutSymbol(staging, Parts::Controls + "button_arrow_down", Places::ScrollVDecrease, 2);
    PutSymbol(staging, Parts::Controls + "button_arrow_left", Places::ScrollHDecrease, 3);

    const std::string minimize = Parts::Controls + "button_game_logic_minimize";
    PutSymbol(staging, minimize, Places::GameLogicMinimize, 4);
    Parts::PutBox(staging, minimize + "_selection_area", Places::GameLogicMinimize);
    Parts::PutBox(staging, minimize + "_text_area", Places::GameLogicMinimize);
    const std::string close = Parts::Controls + "button_game_logic_close";
    PutSymbol(staging, close, Places::GameLogicClose, 5);
    Parts::PutBox(staging, close + "_selection_area", Places::GameLogicClose);
    Parts::PutBox(staging, close + "_text_area", Places::GameLogicClose);

    // A check box: unchecked it offers the window, checked the full screen.
    const std::string maximize = Parts::Controls + "button_game_logic_maximize";
    const auto paint = [](DataCanvas& canvas, std::uint32_t look, float x0, float y0, float x1, float y1) {
        const bool checked = look == 7 || (look >= 3 && look <= 5);
        DataMenuArt::SymbolLook(canvas, look >= 6 ? 3 : look % 3, checked ? 7 : 6, x0, y0, x1, y1);
    };
    Parts::PutPicture(staging, maximize, DataArtFiles::Quad(Places::GameLogicMaximize),
                      DataMenuArt::Net(4, 2, 32, 32, 8, paint), 4, 2, 8);
    Parts::PutBox(staging, maximize + "_selection_area", Places::GameLogicMaximize);
    Parts::PutBox(staging, maximize + "_text_area", Places::GameLogicMaximize);

    Parts::PutPicture(staging, Parts::Controls + "check_box", DataArtFiles::Quad(Places::CheckBox),
                      DataMenuArt::Net(4, 2, 32, 32, 8, DataMenuArt::CheckLook), 4, 2, 8);
}

// A scroll bar: its groove, its thumb, where the thumb may run and where
// its step buttons stand, all in the bar's own place.
struct Scroll
{
    const char* name;
    DataRect bar;
    DataRect thumbMin;
    DataRect thumbMax;
    DataRect increase;
    DataRect decrease;
    std::uint32_t cellWidth;
    std::uint32_t cellHeight;
};

void StageScrolls(DataStaging& staging)
{
    const std::vector<Scroll> scrolls = {
        {"scroll_h", Places::ScrollH, Places::ScrollHThumbMin, Places::ScrollHThumbMax, Places::ScrollHIncrease,
         Places::ScrollHDecrease, 128, 32},
        {"scroll_v", Places::ScrollV, Places::ScrollVThumbMin, Places::ScrollVThumbMax, Places::ScrollVIncrease,
         Places::ScrollVDecrease, 32, 128}};
    for (const Scroll& scroll : scrolls)
    {
        const std::string name = Parts::Controls + scroll.name;
        Parts::PutPicture(staging, name, DataArtFiles::Quad(scroll.bar),
                          DataMenuArt::Net(4, 1, scroll.cellWidth, scroll.cellHeight, 3, DataMenuArt::TrackLook), 4, 1,
                          3);
        Parts::PutPicture(staging, name + "_toddler", DataArtFiles::Quad(scroll.thumbMin),
                          DataMenuArt::Net(2, 2, 32, 32, 4, DataMenuArt::ThumbLook), 2, 2, 4);
        Parts::PutBox(staging, name + "_toddler_min", scroll.thumbMin);
        Parts::PutBox(staging, name + "_toddler_max", scroll.thumbMax);
        Parts::PutBox(staging, name + "_button_increase", scroll.increase);
        Parts::PutBox(staging, name + "_button_decrease", scroll.decrease);
    }
}

void StageTotem(DataStaging& staging)
{
    // Sixteen looks, one a frame: frame 2s is stage s's totem, 2s + 1 its
    // empty place. The frames differ only in where they look in the net.
    constexpr std::uint32_t Looks = 16;
    constexpr std::uint32_t Columns = 4;
    const auto paint = [](DataCanvas& canvas, std::uint32_t look, float x0, float y0, float x1, float y1) {
        DataMenuArt::Totem(canvas, look / 2, look % 2 == 0, x0 + 2.0f, y0 + 2.0f, x1 - 2.0f, y1 - 2.0f);
    };
    std::vector<ModelFileRecord> frames;
    for (std::uint32_t look = 0; look < Looks; ++look)
    {
        ModelFileRecord frame = DataArtFiles::Quad(Places::Totem);
        const float column = static_cast<float>(look % Columns);
        // Rows of the picture count from its top; v counts from its bottom.
        const float row = static_cast<float>(Columns - 1 - look / Columns);
        for (ModelFileVertex& vertex : frame.vertices)
        {
            vertex.u = (column + vertex.u) / static_cast<float>(Columns);
            vertex.v = (row + vertex.v) / static_cast<float>(Columns);
        }
        frames.push_back(frame);
    }
    ModelFileRecord totem = MakeMorphModel(frames, 0.0f);
    Parts::PutPicture(staging, Parts::Controls + "totem", totem, DataMenuArt::Net(Columns, Columns, 64, 64, Looks, paint));
}

// How an effect's particles are made and move; the same at every key.
struct Motion
{
    std::uint32_t particles;
    float cycle;
    float rate;
    float life;
    float lifeSpread;
    ParticleFileRecord::Vector direction;
    ParticleFileRecord::Vector spread;
};

ParticleFileRecord Flat(const Motion& motion)
{
    // Drawn through the GUI camera: no gravity, no floor, movement in x and y.
    ParticleFileRecord record;
    record.gravityOn = 0;
    record.floorOn = 0;
    record.stopAtRest = 0;
    record.maxParticleCount = motion.particles;
    record.cycleLength = motion.cycle;
    record.rateKeys.fill(motion.rate);
    record.lifeKeys.fill(motion.life);
    record.lifeSpreadKeys.fill(motion.lifeSpread);
    record.directionKeys.fill(motion.direction);
    record.directionSpreadKeys.fill(motion.spread);
    return record;
}

void PutParticles(DataStaging& staging, const std::string& name, const ParticleFileRecord& record)
{
    ShaderFileRecord shader = Parts::Textured("spark.tga");
    // Sparks add light.
    shader.destinationBlend = 1;
    DataArtFiles::StageWithShader(staging, name + ".psf", ParticleFileWriter::Build(record), shader);
}

void StageParticles(DataStaging& staging)
{
    const std::string folder = "data\\ui\\menus\\particles\\";
    staging.Write(folder + "spark.tga", DataMenuArt::Spark(32).Tga());

    // A smooth trail behind the pointer.
    ParticleFileRecord trail = Flat({48, 1.0f, 40.0f, 0.5f, 0.15f, {0.0f, -12.0f, 0.0f}, {8.0f, 8.0f, 0.0f}});
    trail.colorKeys = {std::array<float, 4>{1.0f, 0.95f, 0.8f, 0.9f}, {1.0f, 0.9f, 0.6f, 0.8f},
                       {0.95f, 0.8f, 0.45f, 0.6f}, {0.9f, 0.7f, 0.35f, 0.4f},
                       {0.85f, 0.6f, 0.3f, 0.2f}, {0.8f, 0.5f, 0.25f, 0.0f}};
    trail.sizeKeys = {9.0f, 8.0f, 7.0f, 5.5f, 4.0f, 2.5f};
    PutParticles(staging, folder + "cursor_train", trail);

    // One burst at the click: every particle leaves with the first key.
    ParticleFileRecord click = Flat({24, 0.5f, 0.0f, 0.45f, 0.1f, {0.0f, 0.0f, 0.0f}, {70.0f, 70.0f, 0.0f}});
    click.smoothEmission = 0;
    click.rateKeys[0] = 18.0f;
    click.colorKeys = {std::array<float, 4>{1.0f, 1.0f, 0.9f, 1.0f}, {1.0f, 0.95f, 0.7f, 0.9f},
                       {1.0f, 0.85f, 0.5f, 0.7f}, {0.95f, 0.75f, 0.4f, 0.5f},
                       {0.9f, 0.65f, 0.3f, 0.25f}, {0.85f, 0.55f, 0.25f, 0.0f}};
    click.sizeKeys = {7.0f, 6.5f, 5.5f, 4.5f, 3.0f, 2.0f};
    PutParticles(staging, folder + "cursor_click", click);

    // Sparkles rising over a wide box.
    ParticleFileRecord upgrade = Flat({80, 2.0f, 30.0f, 1.2f, 0.4f, {0.0f, 18.0f, 0.0f}, {10.0f, 10.0f, 0.0f}});
    upgrade.colorKeys = {std::array<float, 4>{1.0f, 1.0f, 1.0f, 0.0f}, {1.0f, 0.95f, 0.75f, 1.0f},
                         {0.9f, 0.95f, 1.0f, 0.6f}, {1.0f, 0.9f, 0.6f, 1.0f},
                         {0.95f, 0.85f, 1.0f, 0.5f}, {1.0f, 1.0f, 1.0f, 0.0f}};
    upgrade.sizeKeys = {3.0f, 6.0f, 4.0f, 7.0f, 4.0f, 2.0f};
    upgrade.emitterKind = 1;
    upgrade.boxMin = {-200.0f, -60.0f, 0.0f};
    upgrade.boxMax = {200.0f, 60.0f, 0.0f};
    PutParticles(staging, folder + "upgrade", upgrade);
}

} // namespace

void DataMenuControls::Stage(DataStaging& staging)
{
    StageButtons(staging);
    StageSymbolButtons(staging);
    StageScrolls(staging);
    StageTotem(staging);
    StageParticles(staging);
}

} // namespace corvellan::content
