// The game's resources over a small data set: every field filled in table
// order (the check box and scroll models loaded late), the background's
// layers, the two level windows, the fallbacks of missing files, what a
// damaged layer list does, and that deleting the data gives everything back.
#include "engine/core/BoundingVolume.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "game/GameData.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/support/GameDataSet.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{

using corvellan::test::GameDataSet;
using Mirabel::GameData;
using OrvaneEngine::Model;

constexpr std::uint32_t Coloured = 0x20;

class GameDataTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(GameDataSet::Write(folder.Path()));
        settings.packFolder = "Data";
    }

    std::unique_ptr<GameData> Loaded()
    {
        auto data = std::make_unique<GameData>(engine.get(), "en");
        data->Load();
        return data;
    }

    // The text of the fatal error the load ends in, or "<none>".
    std::string FatalText(const std::string& layers)
    {
        EXPECT_TRUE(GameDataSet::WriteFile(folder.Path(), "data/ui/menus/background/background.ini", layers));
        GameData data(engine.get(), "en");
        try
        {
            data.Load();
        }
        catch (const OrvaneEngine::FatalError& error)
        {
            return error.GetText();
        }
        return "<none>";
    }
};

// The place of each model in the keeper's load order, from its generated name.
std::map<const Model*, long> LoadOrder(const GameData& data)
{
    std::map<const Model*, long> order;
    for (const auto& [name, model] : data.GetModels())
        order[model] = std::stol(name);
    return order;
}

TEST_F(GameDataTest, FillsEveryFieldAndLoadsInTheTablesOrder)
{
    Start();
    const auto data = Loaded();

    ASSERT_EQ(data->pathModels.size(), 6u);
    for (unsigned i = 0; i < 6; ++i)
    {
        OrvaneEngine::BoundingVolume box;
        data->pathModels[i]->ComputeBoundingBox(box);
        EXPECT_FLOAT_EQ((box.localMin.x + box.localMax.x) / 2, GameDataSet::PathCentreX(i)) << i;
        EXPECT_FLOAT_EQ((box.localMin.y + box.localMax.y) / 2, GameDataSet::PathCentreY) << i;
    }
    EXPECT_EQ(data->totemModels.size(), 8u);
    EXPECT_EQ(data->gameCompleteEffectModels.size(), 3u);
    // Options: coloured vertices, and the GUI camera for the track's pieces only.
    OrvaneEngine::Camera* guiCamera = engine->guiManager->GetCamera();
    EXPECT_NE(data->cellTop->GetFlags() & Coloured, 0u);
    EXPECT_EQ(data->obstacle->GetFlags() & Coloured, 0u);
    EXPECT_NE(data->holeTop->GetFlags() & Coloured, 0u);
    EXPECT_EQ(data->obstacle->GetCamera(), guiCamera);
    EXPECT_EQ(data->holeBottom->GetCamera(), guiCamera);
    EXPECT_NE(data->cellTop->GetCamera(), guiCamera);
    EXPECT_NE(data->checkBox->GetFlags() & Coloured, 0u);
    EXPECT_EQ(data->scrollHToddlerMin->GetFlags() & Coloured, 0u);
    ASSERT_NE(data->upgradeEffect, nullptr);

    // A missing file leaves its box in place, named after the file, and an error line.
    EXPECT_EQ(data->totemModels[1]->GetName(), "ui\\menus\\models\\start_game\\totem_1.mlf");
    EXPECT_NE(LogText().find("totem_1.mlf"), std::string::npos);
    EXPECT_EQ(LogText().find("totem_0.mlf"), std::string::npos);

    // Fields in table order, except the check box and scroll models, which
    // load after the in-game panel's buttons and the control totem.
    const std::vector<const Model*> loadOrder{
        data->cellTop, data->arrowLeft, data->obstacle, data->holeTop, data->pathModels[0], data->pathModels[5],
        data->carriage, data->bonusTip, data->levelComplete, data->backgroundTextArea, data->smallWindow,
        data->smallWindowButtons[1], data->bigWindowButtons[2], data->largeWindowButtons[1],
        data->mainMenuButtons[6], data->stageMap, data->relaxCheckBox, data->totemModels[0], data->totemModels[7],
        data->gameCompleteEffectModels[2], data->optionsSliderSound, data->profilesButtons[0], data->profilesText,
        data->gameMenuSliderSound, data->buttonArrowUp, data->buttonSmallTextArea, data->buttonGameLogicMinimize,
        data->buttonGameLogicCloseTextArea, data->controlsTotem, data->checkBox, data->scrollH,
        data->scrollVButtonDecrease, data->mapStart, data->mapPathCheckPoint, data->panelBackground,
        data->panelCloseButton, data->levelCompleteFrame, data->levelCompleteTotem, data->tutorialBackground,
        data->tutorialElements[3], data->tutorialMouseControl,
    };
    const auto order = LoadOrder(*data);
    for (std::size_t i = 1; i < loadOrder.size(); ++i)
    {
        ASSERT_TRUE(order.count(loadOrder[i - 1]) && order.count(loadOrder[i])) << i;
        EXPECT_LT(order.at(loadOrder[i - 1]), order.at(loadOrder[i])) << "entry " << i;
    }
    // Each model once, every model of the fields and the background's.
    EXPECT_EQ(order.size(), data->GetModels().size());
    // Seven of the table and the castle layer's.
    EXPECT_EQ(data->GetParticleSystems().size(), 8u);
}

TEST_F(GameDataTest, KeepsTheLayersTheBackgroundDoesNotBuildItself)
{
    Start();
    const auto data = Loaded();
    // "sky" is built by the background; "hills" has no system, "castle" has one.
    EXPECT_EQ(data->backgroundLayerIndices, (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(data->backgroundLayerStages, (std::vector<std::int32_t>{0, 2}));
    ASSERT_EQ(data->backgroundLayerModels.size(), 2u);
    ASSERT_EQ(data->backgroundLayerParticleSystems.size(), 2u);
    EXPECT_EQ(data->backgroundLayerModels[0]->GetName(), "ui\\menus\\background\\models\\hills.mlf");
    EXPECT_EQ(data->backgroundLayerModels[1]->GetName(), "ui\\menus\\background\\models\\castle.mlf");
    for (const Model* model : data->backgroundLayerModels)
    {
        EXPECT_NE(model->GetFlags() & Coloured, 0u);
        EXPECT_NE(model->GetCamera(), engine->guiManager->GetCamera());
    }
    EXPECT_EQ(data->backgroundLayerParticleSystems[0], nullptr);
    ASSERT_NE(data->backgroundLayerParticleSystems[1], nullptr);
    EXPECT_EQ(LogText().find("sparkles.psf"), std::string::npos) << "the system's file was read";
    // Registered first, before the table.
    const auto order = LoadOrder(*data);
    EXPECT_LT(order.at(data->backgroundLayerModels[1]), order.at(data->cellTop));

    GameDataSet::WriteFile(folder.Path(), "data/ui/menus/background/background.ini", "0\r\n");
    const auto empty = Loaded();
    EXPECT_TRUE(empty->backgroundLayerModels.empty());
    EXPECT_TRUE(empty->backgroundLayerParticleSystems.empty());
    EXPECT_TRUE(empty->backgroundLayerIndices.empty());
    EXPECT_TRUE(empty->backgroundLayerStages.empty());
    EXPECT_EQ(empty->totemModels.size(), 8u);
}

TEST_F(GameDataTest, ADamagedOrMissingLayerListEndsTheProgramWithItsText)
{
    Start();
    const std::string file = "data\\ui\\menus\\background\\background.ini";
    for (const std::string layers : {"-1\r\n", "100000\r\n", "3\r\nsky _none_ 0 0\r\n", ""})
    {
        const std::string text = FatalText(layers);
        EXPECT_NE(text.find(file), std::string::npos) << "\"" << layers << "\": " << text;
    }
    // A missing list: the file manager's own text.
    std::filesystem::remove(folder.Join("data/ui/menus/background/background.ini"));
    GameData data(engine.get(), "en");
    std::string text = "<none>";
    try
    {
        data.Load();
    }
    catch (const OrvaneEngine::FatalError& error)
    {
        text = error.GetText();
    }
    EXPECT_NE(text.find("Failed to open"), std::string::npos) << text;
    EXPECT_NE(text.find("background.ini"), std::string::npos) << text;
}

TEST_F(GameDataTest, TheLevelWindowsHangTogetherAndEverythingGoesWithTheData)
{
    Start();
    const std::uint32_t windowsBefore = engine->guiManager->GetWindows().GetCount();
    const std::uint32_t modelsBefore = engine->modelManager->GetModelCount();
    const std::uint32_t systemsBefore = engine->particleSystemManager->GetParticleSystemCount();
    {
        const auto data = Loaded();
        ASSERT_NE(data->levelRootWindow, nullptr);
        ASSERT_NE(data->gameObjectWindow, nullptr);
        EXPECT_EQ(data->levelRootWindow->flags, 5u);
        EXPECT_EQ(data->levelRootWindow->parent, nullptr);
        EXPECT_EQ(data->levelRootWindow->model, nullptr);
        EXPECT_EQ(data->gameObjectWindow->flags, 1u);
        EXPECT_EQ(data->gameObjectWindow->parent, data->levelRootWindow);
        EXPECT_EQ(data->gameObjectWindow->level, 100);
        EXPECT_EQ(engine->guiManager->GetWindows().GetCount(), windowsBefore + 2);
    }
    EXPECT_EQ(engine->guiManager->GetWindows().GetCount(), windowsBefore);
    EXPECT_EQ(engine->modelManager->GetModelCount(), modelsBefore);
    EXPECT_EQ(engine->particleSystemManager->GetParticleSystemCount(), systemsBefore);
}

} // namespace
