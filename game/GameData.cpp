#include "game/GameData.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "game/BackgroundLayerList.h"

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

// Model flag: the mesh carries its own vertex colours.
constexpr std::uint32_t Coloured = 0x20;
constexpr std::uint32_t WindowShown = 1;
constexpr std::uint32_t WindowShownOnLayer4 = 5;
constexpr std::int32_t GameObjectLevel = 100;

const std::string GameObjects = "game_objects\\";
const std::string Menus = "ui\\menus\\models\\";
const std::string Controls = "ui\\menus\\models\\controls\\";

std::string Numbered(const std::string& prefix, std::uint32_t index, const std::string& suffix)
{
    return prefix + std::to_string(index) + suffix;
}

} // namespace

GameData::GameData(Engine* engine, const std::string& languageCode)
    : DataKeeper(engine, languageCode, true), guiManager(engine->guiManager.get())
{
}

GameData::~GameData()
{
    guiManager->ReleaseWindow(levelRootWindow);
    guiManager->ReleaseWindow(gameObjectWindow);
}

Model* GameData::TakeModel(const std::string& path, std::uint32_t flags, Camera* camera)
{
    OrvaneEngine::Model* model = modelManager->LoadModelResource(path, camera, flags);
    AddModelByName(model);
    return model;
}

OrvaneEngine::ParticleSystem* GameData::TakeParticleSystem(const std::string& path)
{
    OrvaneEngine::ParticleSystem* system =
        particleSystemManager->LoadParticleSystemResource(path, guiManager->GetCamera());
    AddParticleSystemByName(system);
    return system;
}

void GameData::LoadAll()
{
    DataKeeper::LoadAll();
    LoadBackgroundLayers();
    LoadGameObjects();
    LoadMenus();
    LoadControls();
    LoadPanelAndTutorial();
}

void GameData::LoadBackgroundLayers()
{
    try
    {
        // The whole list is read before anything is loaded, so a damaged list
        // leaves nothing half made.
        for (const BackgroundLayerList::Layer& layer : BackgroundLayerList::Load(*fileManager))
        {
            if (layer.builtByBackground)
                continue;
            OrvaneEngine::Model* model =
                modelManager->LoadModelResource(BackgroundLayerList::ModelPath(layer), nullptr, Coloured);
            OrvaneEngine::ParticleSystem* system = nullptr;
            if (layer.HasParticleSystem())
                system = particleSystemManager->LoadParticleSystemResource(
                    BackgroundLayerList::ParticleSystemPath(layer), guiManager->GetCamera());
            backgroundLayerModels.push_back(model);
            backgroundLayerParticleSystems.push_back(system);
            backgroundLayerIndices.push_back(layer.index);
            backgroundLayerStages.push_back(layer.stage);
            AddModelByName(model);
            if (system != nullptr)
                AddParticleSystemByName(system);
        }
    }
    catch (const FileError& error)
    {
        log->Fatal(error.GetText());
    }
}

void GameData::LoadGameObjects()
{
    const std::string miniGame = GameObjects + "mini_game\\";
    cellTop = TakeModel(miniGame + "cell_top.mlf", Coloured);
    cellBottom = TakeModel(miniGame + "cell_bottom.mlf", Coloured);
    cellBorder = TakeModel(miniGame + "cell_border.mlf", Coloured);
    arrowUp = TakeModel(miniGame + "arrow_up.mlf", Coloured);
    arrowRight = TakeModel(miniGame + "arrow_right.mlf", Coloured);
    arrowDown = TakeModel(miniGame + "arrow_down.mlf", Coloured);
    arrowLeft = TakeModel(miniGame + "arrow_left.mlf", Coloured);

    const std::string depository = GameObjects + "depository\\";
    Camera* guiCamera = guiManager->GetCamera();
    obstacle = TakeModel(depository + "obstacle.mlf", 0, guiCamera);
    holeBottom = TakeModel(depository + "hole_bottom.mlf", Coloured, guiCamera);
    holeTop = TakeModel(depository + "hole_top.mlf", Coloured, guiCamera);
    for (std::uint32_t i = 0; i < 6; ++i)
        pathModels.push_back(TakeModel(depository + "path_00" + std::to_string(i) + ".mlf"));
    pathStartEffect = TakeParticleSystem(depository + "path_start_effect.psf");
    pathFinishEffect = TakeParticleSystem(depository + "path_finish_effect.psf");

    carriage = TakeModel(GameObjects + "carriage\\carriage.mlf", Coloured);

    const std::string bonuses = GameObjects + "bonuses\\";
    bonusMagnet = TakeModel(bonuses + "magnet.mlf", Coloured);
    bonusPause = TakeModel(bonuses + "pause.mlf", Coloured);
    bonusRollback = TakeModel(bonuses + "rollback.mlf", Coloured);
    bonusTip = TakeModel(bonuses + "tip.mlf", Coloured);

    levelComplete = TakeModel(GameObjects + "board\\level_complete.mlf");
    levelCompleteEffect = TakeParticleSystem(GameObjects + "board\\level_complete_effect.psf");
    tipEffect = TakeParticleSystem(GameObjects + "board\\tip_effect.psf");

    levelRootWindow = guiManager->CreateWindow(WindowShownOnLayer4, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f),
                                               nullptr, nullptr);
    gameObjectWindow = guiManager->CreateWindow(WindowShown, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr,
                                                levelRootWindow);
    gameObjectWindow->SetLevel(GameObjectLevel);
}

void GameData::LoadMenus()
{
    backgroundTextArea = TakeModel(Menus + "background\\text_area.mlf");

    const std::string small = Menus + "small_window\\";
    smallWindow = TakeModel(small + "window.mlf", Coloured);
    smallWindowArea = TakeModel(small + "window_area.mlf");
    smallWindowEdit = TakeModel(small + "edit.mlf", Coloured);
    for (std::uint32_t i = 0; i < smallWindowButtons.size(); ++i)
        smallWindowButtons[i] = TakeModel(Numbered(small + "button_", i, ".mlf"));

    const std::string big = Menus + "big_window\\";
    bigWindow = TakeModel(big + "window.mlf", Coloured);
    bigWindowArea = TakeModel(big + "window_area.mlf");
    for (std::uint32_t i = 0; i < bigWindowButtons.size(); ++i)
        bigWindowButtons[i] = TakeModel(Numbered(big + "button_", i, ".mlf"));

    const std::string large = Menus + "large_window\\";
    largeWindow = TakeModel(large + "window.mlf", Coloured);
    largeWindowArea = TakeModel(large + "window_area.mlf");
    for (std::uint32_t i = 0; i < largeWindowButtons.size(); ++i)
        largeWindowButtons[i] = TakeModel(Numbered(large + "button_", i, ".mlf"));

    const std::string mainMenu = Menus + "main_menu\\";
    mainMenuWindow = TakeModel(mainMenu + "window.mlf", Coloured);
    mainMenuWindowArea = TakeModel(mainMenu + "window_area.mlf");
    for (std::uint32_t i = 0; i < mainMenuButtons.size(); ++i)
        mainMenuButtons[i] = TakeModel(Numbered(mainMenu + "button_", i, ".mlf"));

    const std::string startGame = Menus + "start_game\\";
    stageMap = TakeModel(startGame + "map.mlf", Coloured);
    relaxCheckBox = TakeModel(startGame + "relax_check_box.mlf");
    for (std::uint32_t i = 0; i < 8; ++i)
        totemModels.push_back(TakeModel(Numbered(startGame + "totem_", i, ".mlf")));
    for (std::uint32_t i = 0; i < 3; ++i)
        gameCompleteEffectModels.push_back(
            TakeModel(Numbered(startGame + "game_complete_effect_", i, ".mlf"), Coloured));

    const std::string options = Menus + "options\\";
    optionsFullscreenCheckBox = TakeModel(options + "fullscreen_check_box.mlf");
    optionsResolutionButtonLeft = TakeModel(options + "resolution_button_left.mlf");
    optionsResolutionButtonRight = TakeModel(options + "resolution_button_right.mlf");
    optionsResolutionText = TakeModel(options + "resolution_text.mlf", Coloured);
    optionsResolutionTextArea = TakeModel(options + "resolution_text_area.mlf");
    optionsSliderMusic = TakeModel(options + "slider_music.mlf");
    optionsSliderSound = TakeModel(options + "slider_sound.mlf");

    const std::string profiles = Menus + "profiles\\";
    for (std::uint32_t i = 0; i < profilesButtons.size(); ++i)
        profilesButtons[i] = TakeModel(Numbered(profiles + "button_", i, ".mlf"));
    profilesScroll = TakeModel(profiles + "scroll.mlf");
    profilesText = TakeModel(profiles + "text.mlf", Coloured);

    const std::string gameMenu = Menus + "game_logic_menu\\";
    gameMenuFullscreenCheckBox = TakeModel(gameMenu + "fullscreen_check_box.mlf");
    gameMenuSliderMusic = TakeModel(gameMenu + "slider_music.mlf");
    gameMenuSliderSound = TakeModel(gameMenu + "slider_sound.mlf");
}

void GameData::LoadControls()
{
    buttonArrowUp = TakeModel(Controls + "button_arrow_up.mlf", Coloured);
    buttonArrowDown = TakeModel(Controls + "button_arrow_down.mlf", Coloured);
    buttonArrowLeft = TakeModel(Controls + "button_arrow_left.mlf", Coloured);
    buttonArrowRight = TakeModel(Controls + "button_arrow_right.mlf", Coloured);
    buttonMainMenu = TakeModel(Controls + "button_main_menu.mlf");
    buttonMainMenuSelectionArea = TakeModel(Controls + "button_main_menu_selection_area.mlf");
    buttonMainMenuTextArea = TakeModel(Controls + "button_main_menu_text_area.mlf");
    buttonBig = TakeModel(Controls + "button_big.mlf", Coloured);
    buttonBigSelectionArea = TakeModel(Controls + "button_big_selection_area.mlf");
    buttonBigTextArea = TakeModel(Controls + "button_big_text_area.mlf");
    buttonSmall = TakeModel(Controls + "button_small.mlf", Coloured);
    buttonSmallSelectionArea = TakeModel(Controls + "button_small_selection_area.mlf");
    buttonSmallTextArea = TakeModel(Controls + "button_small_text_area.mlf");

    // The fields keep the table's order; the check box and scroll models
    // load after the in-game panel's buttons and the control totem.
    buttonGameLogicMinimize = TakeModel(Controls + "button_game_logic_minimize.mlf", Coloured);
    buttonGameLogicMinimizeSelectionArea = TakeModel(Controls + "button_game_logic_minimize_selection_area.mlf");
    buttonGameLogicMinimizeTextArea = TakeModel(Controls + "button_game_logic_minimize_text_area.mlf");
    buttonGameLogicMaximize = TakeModel(Controls + "button_game_logic_maximize.mlf", Coloured);
    buttonGameLogicMaximizeSelectionArea = TakeModel(Controls + "button_game_logic_maximize_selection_area.mlf");
    buttonGameLogicMaximizeTextArea = TakeModel(Controls + "button_game_logic_maximize_text_area.mlf");
    buttonGameLogicClose = TakeModel(Controls + "button_game_logic_close.mlf", Coloured);
    buttonGameLogicCloseSelectionArea = TakeModel(Controls + "button_game_logic_close_selection_area.mlf");
    buttonGameLogicCloseTextArea = TakeModel(Controls + "button_game_logic_close_text_area.mlf");
    controlsTotem = TakeModel(Controls + "totem.mlf", Coloured);

    checkBox = TakeModel(Controls + "check_box.mlf", Coloured);
    scrollH = TakeModel(Controls + "scroll_h.mlf", Coloured);
    scrollHToddler = TakeModel(Controls + "scroll_h_toddler.mlf", Coloured);
    scrollHToddlerMin = TakeModel(Controls + "scroll_h_toddler_min.mlf");
    scrollHToddlerMax = TakeModel(Controls + "scroll_h_toddler_max.mlf");
    scrollHButtonIncrease = TakeModel(Controls + "scroll_h_button_increase.mlf");
    scrollHButtonDecrease = TakeModel(Controls + "scroll_h_button_decrease.mlf");
    scrollV = TakeModel(Controls + "scroll_v.mlf", Coloured);
    scrollVToddler = TakeModel(Controls + "scroll_v_toddler.mlf", Coloured);
    scrollVToddlerMin = TakeModel(Controls + "scroll_v_toddler_min.mlf");
    scrollVToddlerMax = TakeModel(Controls + "scroll_v_toddler_max.mlf");
    scrollVButtonIncrease = TakeModel(Controls + "scroll_v_button_increase.mlf");
    scrollVButtonDecrease = TakeModel(Controls + "scroll_v_button_decrease.mlf");
}

void GameData::LoadPanelAndTutorial()
{
    const std::string map = "ui\\menus\\map\\models\\";
    mapStart = TakeModel(map + "start.mlf", Coloured);
    mapFinish = TakeModel(map + "finish.mlf", Coloured);
    mapCheckPoint = TakeModel(map + "check_point.mlf", Coloured);
    mapPath = TakeModel(map + "path.mlf", Coloured);
    mapPathCheckPoint = TakeModel(map + "path_check_point.mlf", Coloured);

    const std::string panel = Menus + "game_logic\\";
    panelBackground = TakeModel(panel + "background.mlf");
    panelMain = TakeModel(panel + "main_panel.mlf");
    panelMenuButton = TakeModel(panel + "menu_button.mlf");
    panelLevelNameTextArea = TakeModel(panel + "level_name_text_area.mlf");
    panelLevelName = TakeModel(panel + "level_name.mlf");
    panelLevelNameTitleTextArea = TakeModel(panel + "level_name_title_text_area.mlf");
    panelScoreTextArea = TakeModel(panel + "score_text_area.mlf");
    panelScore = TakeModel(panel + "score.mlf");
    panelScoreTitleTextArea = TakeModel(panel + "score_title_text_area.mlf");
    panelMinimizeButton = TakeModel(panel + "minimize_button.mlf");
    panelMaximizeWindowButton = TakeModel(panel + "maximize_window_button.mlf");
    panelMaximizeFullscreenButton = TakeModel(panel + "maximize_fullscreen_button.mlf");
    panelCloseButton = TakeModel(panel + "close_button.mlf");

    const std::string levelCompleteMenu = Menus + "level_complete\\";
    levelCompleteFrame = TakeModel(levelCompleteMenu + "frame.mlf", Coloured);
    levelCompleteTotem = TakeModel(levelCompleteMenu + "totem.mlf", Coloured);

    const std::string tutorial = Menus + "tutorial\\";
    tutorialBackground = TakeModel(tutorial + "background.mlf", Coloured);
    tutorialClosedElement = TakeModel(tutorial + "closed_element.mlf", Coloured);
    for (std::uint32_t i = 0; i < tutorialElements.size(); ++i)
        tutorialElements[i] = TakeModel(Numbered(tutorial + "element_", i, ".mlf"), Coloured);
    tutorialMouse = TakeModel(tutorial + "mouse.mlf", Coloured);
    tutorialMouseControl = TakeModel(tutorial + "mouse_control.mlf", Coloured);

    cursorTrain = TakeParticleSystem("ui\\menus\\particles\\cursor_train.psf");
    cursorClick = TakeParticleSystem("ui\\menus\\particles\\cursor_click.psf");
    // Nothing shows it yet; it is loaded so the data set's file stays in use.
    upgradeEffect = TakeParticleSystem("ui\\menus\\particles\\upgrade.psf");
}

} // namespace Mirabel
