#include "tests/game/MiniGameFixture.h"

#include "content/ImageFixtures.h"
#include "content/ModelFileWriter.h"
#include "content/ModelMeshes.h"
#include "content/WavWriter.h"
#include "engine/core/Engine.h"
#include "engine/render/Image.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "framework/SoundController.h"
#include "game/GameData.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvellan::test
{

using namespace OrvaneEngine;
using content::ModelFileRecord;

namespace
{

const std::string MiniGameFolder = "game_objects\\mini_game\\";
const std::string OneFrameFile = "ui\\menus\\models\\test\\one_frame_window.mlf";

// The same mesh facing -z: each triangle wound the other way. Its u runs
// from 1 to 2, so it shows the next column's part of the picture.
ModelFileRecord BackFace(ModelFileRecord record)
{
    for (std::size_t i = 0; i + 2 < record.indices.size(); i += 3)
        std::swap(record.indices[i + 1], record.indices[i + 2]);
    for (auto& vertex : record.vertices)
    {
        vertex.normal = {0.0f, 0.0f, -1.0f};
        vertex.u += 1.0f;
    }
    return record;
}

// A frame around the square, its strips `width` wide: it never covers the
// middle of the cell, whichever way the cell lies.
ModelFileRecord Ring(float size, float width)
{
    const MenuBox strips[4] = {{0.0f, 0.0f, size, width},
                               {0.0f, size - width, size, size},
                               {0.0f, width, width, size - width},
                               {size - width, width, size, size - width}};
    ModelFileRecord ring = content::MakeQuadMesh(0.0f, 0.0f, size, size);
    ring.indices.clear();
    ring.vertices.clear();
    for (const MenuBox& strip : strips)
    {
        const ModelFileRecord quad = content::MakeQuadMesh(strip.x0, strip.y0, strip.x1, strip.y1);
        const auto base = static_cast<std::uint32_t>(ring.vertices.size());
        for (std::uint32_t index : quad.indices)
            ring.indices.push_back(base + index);
        ring.vertices.insert(ring.vertices.end(), quad.vertices.begin(), quad.vertices.end());
    }
    return ring;
}

bool WritePicture(const MenuData& data, std::uint32_t stage)
{
    Image image;
    image.Create(nullptr, 512, 512, 24);
    std::uint8_t* pixels = image.GetPixels();
    for (std::uint32_t row = 0; row < 512; ++row)
        for (std::uint32_t column = 0; column < 512; ++column)
        {
            MenuColour colour = MiniGameFixture::Outside;
            if (row < 300 && column < 300)
                colour = MiniGameFixture::Quadrants[column / 150][row / 150];
            std::uint8_t* pixel = pixels + 3 * (row * 512 + column);
            pixel[0] = colour.r;
            pixel[1] = colour.g;
            pixel[2] = colour.b;
        }
    const std::string base = "game_objects\\mini_game\\textures\\totem_" + std::to_string(stage);
    const std::string jpeg = content::EngineImageFile(image, "jpg");
    return !jpeg.empty() && data.Bytes(base + ".jpg", jpeg) && data.Bytes(base + "_alpha.jpg", jpeg);
}

} // namespace

MenuBox MiniGameFixture::MapTotem(std::uint32_t stage)
{
    const float x = 600.0f + 40.0f * static_cast<float>(stage);
    return {x, 400.0f, x + 30.0f, 460.0f};
}

MiniGameFixture::MiniGameFixture(const std::vector<std::uint32_t>& grids_) : grids(grids_)
{
    MenuData& data = menu.data;
    bool ok = data.WriteDefault();
    std::string info = std::to_string(grids.size()) + "\r\n";
    for (std::size_t stage = 0; stage < grids.size(); ++stage)
    {
        info += std::to_string(grids[stage]) + "\r\n";
        ok = ok && data.Bytes("levels\\stage" + std::to_string(stage) + ".ini", "1\r\npuzzle 60 120\r\n") &&
             WritePicture(data, static_cast<std::uint32_t>(stage));
    }
    ok = ok && data.Bytes("levels\\stages_info.ini", info);
    for (std::uint32_t stage = 0; stage < 8; ++stage)
        ok = ok && data.Model("ui\\menus\\models\\start_game\\totem_" + std::to_string(stage) + ".mlf", 1,
                              MapTotem(stage));
    // Two frames a stage, each 60 x 120: the control totem is twice the map's.
    ok = ok && data.Model("ui\\menus\\models\\controls\\totem.mlf", 16, {0.0f, 0.0f, 60.0f, 120.0f});
    ok = ok && data.Model(OneFrameFile, 1, MenuData::WindowFrame);

    const ModelFileRecord top = content::MakeQuadMesh(0.0f, 0.0f, 100.0f, 100.0f, 1.0f);
    ok = ok && content::ModelFileWriter::WriteTo(data.DataPath(MiniGameFolder + "cell_top.mlf"), top) &&
         content::ModelFileWriter::WriteTo(data.DataPath(MiniGameFolder + "cell_bottom.mlf"),
                                           BackFace(content::MakeQuadMesh(0.0f, 0.0f, 100.0f, 100.0f, -1.0f))) &&
         content::ModelFileWriter::WriteTo(data.DataPath(MiniGameFolder + "cell_border.mlf"), Ring(100.0f, 4.0f));
    for (const char* arrow : {"arrow_up", "arrow_right", "arrow_down", "arrow_left"})
        ok = ok && data.Model(MiniGameFolder + arrow + ".mlf", 1, {0.0f, 0.0f, 20.0f, 20.0f});

    const content::WavFormat format;
    const std::string silence(static_cast<std::size_t>(format.rate) * 2, '\0');
    ok = ok && data.Bytes("sounds\\totem_flip.wav", content::WavWriter::Simple(format, silence)) &&
         data.Bytes("sounds\\totem_complete.wav", content::WavWriter::Simple(format, silence));
    EXPECT_TRUE(ok) << "the mini-game data could not be written";
}

MiniGameFixture::~MiniGameFixture() { Stop(); }

void MiniGameFixture::Stop()
{
    menu.updates.clear();
    game.reset();
    frame.reset();
    oneFrame.reset();
    menu.Stop();
}

void MiniGameFixture::Start(bool animatedFrame)
{
    menu.Start(false);
    menu.sounds->AddSound(Mirabel::MiniGameCell::SoundFlip, "sounds\\totem_flip.wav", false, 1);
    menu.sounds->AddSound(Mirabel::MiniGame::SoundComplete, "sounds\\totem_complete.wav", false, 1);
    Mirabel::GameData& gameData = menu.LoadGameData();
    const Model* frameModel = gameData.largeWindow;
    if (!animatedFrame)
    {
        oneFrame.reset(menu.engine->modelManager->LoadModelResource(OneFrameFile));
        frameModel = oneFrame.get();
    }
    frame = std::make_unique<Mirabel::GUIControl>(menu.engine, &gameData, Mirabel::GUIControl::Picture, frameModel,
                                                  frameModel, nullptr, gameData.largeWindowArea, nullptr);
    game = std::make_unique<Mirabel::MiniGame>(menu.engine, menu.sounds.get(), menu.levels.get(), &gameData, nullptr,
                                               frame.get());
    // The frame's own fade stands in for the menu window's.
    frame->color = OrvaneEngine::Color(1.0f, 1.0f, 1.0f, 0.0f);
    menu.updates.push_back([this] {
        frame->Update();
        game->Update(frameColor);
    });
}

void MiniGameFixture::Appear()
{
    frame->color = OrvaneEngine::Color(1.0f, 1.0f, 1.0f, 1.0f);
    frame->Appear();
}

bool MiniGameFixture::StepUntil(const std::function<bool()>& condition, std::uint32_t frames)
{
    return menu.StepUntil(condition, FrameMs, frames);
}

void MiniGameFixture::Steps(std::uint32_t frames)
{
    for (std::uint32_t i = 0; i < frames; ++i)
        menu.Step(FrameMs);
}

void MiniGameFixture::Play(std::uint32_t stage)
{
    game->Start(stage);
    Appear();
    EXPECT_TRUE(StepUntil([this] { return game->IsBuilt(); }, 20)) << "the play was not built";
}

void MiniGameFixture::Hold(std::uint32_t state)
{
    for (const auto& cell : game->GetCells())
    {
        cell->scrambleFlipsLeft = 0;
        cell->flipState = state;
        cell->shownState = state;
    }
}

void MiniGameFixture::MoveOnto(const Mirabel::MiniGameCell& cell, float dx, float dy)
{
    menu.MoveTo(static_cast<std::int32_t>(std::lround(cell.centre.x + dx)),
                static_cast<std::int32_t>(std::lround(cell.centre.y + dy)));
}

void MiniGameFixture::Click()
{
    Steps(1);
    menu.Press(true);
    Steps(1);
    menu.Press(false);
    Steps(1);
}

Mirabel::MiniGameCell& MiniGameFixture::Cell(std::uint32_t x, std::uint32_t y) const
{
    for (const auto& cell : game->GetCells())
        if (cell->xIndex == x && cell->yIndex == y)
            return *cell;
    ADD_FAILURE() << "no cell (" << x << ", " << y << ")";
    return *game->GetCells().front();
}

} // namespace corvellan::test
