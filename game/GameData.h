#pragma once

#include "framework/DataKeeper.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Camera;
class GUIManager;
class GUIWindow;
} // namespace OrvaneEngine

namespace Mirabel
{

// Every model and particle system the screens and the level use, loaded once
// behind the start-up loading screen, and the two windows a level's objects
// hang under. The keeper owns what is loaded; the fields are for the users,
// who read them directly. Each resource is named by its file in the comments.
class GameData : public GameFramework::DataKeeper
{
public:
    GameData(OrvaneEngine::Engine* engine, const std::string& languageCode);
    ~GameData() override;

    // Runs on the loading worker: it creates objects through the managers
    // and makes no drawing call.
    void LoadAll() override;

    OrvaneEngine::GUIManager* guiManager;

    // The menu background's layers that it does not build itself, in list order.
    std::vector<OrvaneEngine::Model*> backgroundLayerModels;
    std::vector<OrvaneEngine::ParticleSystem*> backgroundLayerParticleSystems; // null: none
    std::vector<std::uint32_t> backgroundLayerIndices;                        // place in the list
    std::vector<std::int32_t> backgroundLayerStages;

    // game_objects\mini_game
    OrvaneEngine::Model* cellTop = nullptr;
    OrvaneEngine::Model* cellBottom = nullptr;
    OrvaneEngine::Model* cellBorder = nullptr;
    OrvaneEngine::Model* arrowUp = nullptr;
    OrvaneEngine::Model* arrowRight = nullptr;
    OrvaneEngine::Model* arrowDown = nullptr;
    OrvaneEngine::Model* arrowLeft = nullptr;
    // game_objects\depository
    OrvaneEngine::Model* obstacle = nullptr;
    OrvaneEngine::Model* holeBottom = nullptr;
    OrvaneEngine::Model* holeTop = nullptr;
    std::vector<OrvaneEngine::Model*> pathModels; // path_000 .. path_005
    OrvaneEngine::ParticleSystem* pathStartEffect = nullptr;
    OrvaneEngine::ParticleSystem* pathFinishEffect = nullptr;
    // game_objects\carriage
    OrvaneEngine::Model* carriage = nullptr;
    // game_objects\bonuses
    OrvaneEngine::Model* bonusMagnet = nullptr;
    OrvaneEngine::Model* bonusPause = nullptr;
    OrvaneEngine::Model* bonusRollback = nullptr;
    OrvaneEngine::Model* bonusTip = nullptr;
    // game_objects\board
    OrvaneEngine::Model* levelComplete = nullptr;
    OrvaneEngine::ParticleSystem* levelCompleteEffect = nullptr;
    OrvaneEngine::ParticleSystem* tipEffect = nullptr;
    // A level's objects: the root (shown, depth layer 4) and its child at level 100.
    OrvaneEngine::GUIWindow* levelRootWindow = nullptr;
    OrvaneEngine::GUIWindow* gameObjectWindow = nullptr;
    // ui\menus\models\background
    OrvaneEngine::Model* backgroundTextArea = nullptr;
    // ui\menus\models\small_window
    OrvaneEngine::Model* smallWindow = nullptr;
    OrvaneEngine::Model* smallWindowArea = nullptr;
    OrvaneEngine::Model* smallWindowEdit = nullptr;
    std::array<OrvaneEngine::Model*, 2> smallWindowButtons{};
    // ui\menus\models\big_window
    OrvaneEngine::Model* bigWindow = nullptr;
    OrvaneEngine::Model* bigWindowArea = nullptr;
    std::array<OrvaneEngine::Model*, 3> bigWindowButtons{};
    // ui\menus\models\large_window
    OrvaneEngine::Model* largeWindow = nullptr;
    OrvaneEngine::Model* largeWindowArea = nullptr;
    std::array<OrvaneEngine::Model*, 2> largeWindowButtons{};
    // ui\menus\models\main_menu
    OrvaneEngine::Model* mainMenuWindow = nullptr;
    OrvaneEngine::Model* mainMenuWindowArea = nullptr;
    std::array<OrvaneEngine::Model*, 7> mainMenuButtons{};
    // ui\menus\models\start_game
    OrvaneEngine::Model* stageMap = nullptr;
    OrvaneEngine::Model* relaxCheckBox = nullptr;
    std::vector<OrvaneEngine::Model*> totemModels;              // totem_0 .. totem_7
    std::vector<OrvaneEngine::Model*> gameCompleteEffectModels; // game_complete_effect_0 .. _2
    // ui\menus\models\options
    OrvaneEngine::Model* optionsFullscreenCheckBox = nullptr;
    OrvaneEngine::Model* optionsResolutionButtonLeft = nullptr;
    OrvaneEngine::Model* optionsResolutionButtonRight = nullptr;
    OrvaneEngine::Model* optionsResolutionText = nullptr;
    OrvaneEngine::Model* optionsResolutionTextArea = nullptr;
    OrvaneEngine::Model* optionsSliderMusic = nullptr;
    OrvaneEngine::Model* optionsSliderSound = nullptr;
    // ui\menus\models\profiles
    std::array<OrvaneEngine::Model*, 4> profilesButtons{};
    OrvaneEngine::Model* profilesScroll = nullptr;
    OrvaneEngine::Model* profilesText = nullptr;
    // ui\menus\models\game_logic_menu
    OrvaneEngine::Model* gameMenuFullscreenCheckBox = nullptr;
    OrvaneEngine::Model* gameMenuSliderMusic = nullptr;
    OrvaneEngine::Model* gameMenuSliderSound = nullptr;
    // ui\menus\models\controls
    OrvaneEngine::Model* buttonArrowUp = nullptr;
    OrvaneEngine::Model* buttonArrowDown = nullptr;
    OrvaneEngine::Model* buttonArrowLeft = nullptr;
    OrvaneEngine::Model* buttonArrowRight = nullptr;
    OrvaneEngine::Model* buttonMainMenu = nullptr;
    OrvaneEngine::Model* buttonMainMenuSelectionArea = nullptr;
    OrvaneEngine::Model* buttonMainMenuTextArea = nullptr;
    OrvaneEngine::Model* buttonBig = nullptr;
    OrvaneEngine::Model* buttonBigSelectionArea = nullptr;
    OrvaneEngine::Model* buttonBigTextArea = nullptr;
    OrvaneEngine::Model* buttonSmall = nullptr;
    OrvaneEngine::Model* buttonSmallSelectionArea = nullptr;
    OrvaneEngine::Model* buttonSmallTextArea = nullptr;
    OrvaneEngine::Model* checkBox = nullptr;
    OrvaneEngine::Model* scrollH = nullptr;
    OrvaneEngine::Model* scrollHToddler = nullptr;
    OrvaneEngine::Model* scrollHToddlerMin = nullptr;
    OrvaneEngine::Model* scrollHToddlerMax = nullptr;
    OrvaneEngine::Model* scrollHButtonIncrease = nullptr;
    OrvaneEngine::Model* scrollHButtonDecrease = nullptr;
    OrvaneEngine::Model* scrollV = nullptr;
    OrvaneEngine::Model* scrollVToddler = nullptr;
    OrvaneEngine::Model* scrollVToddlerMin = nullptr;
    OrvaneEngine::Model* scrollVToddlerMax = nullptr;
    OrvaneEngine::Model* scrollVButtonIncrease = nullptr;
    OrvaneEngine::Model* scrollVButtonDecrease = nullptr;
    OrvaneEngine::Model* buttonGameLogicMinimize = nullptr;
    OrvaneEngine::Model* buttonGameLogicMinimizeSelectionArea = nullptr;
    OrvaneEngine::Model* buttonGameLogicMinimizeTextArea = nullptr;
    OrvaneEngine::Model* buttonGameLogicMaximize = nullptr;
    OrvaneEngine::Model* buttonGameLogicMaximizeSelectionArea = nullptr;
    OrvaneEngine::Model* buttonGameLogicMaximizeTextArea = nullptr;
    OrvaneEngine::Model* buttonGameLogicClose = nullptr;
    OrvaneEngine::Model* buttonGameLogicCloseSelectionArea = nullptr;
    OrvaneEngine::Model* buttonGameLogicCloseTextArea = nullptr;
    OrvaneEngine::Model* controlsTotem = nullptr;
    // ui\menus\map\models
    OrvaneEngine::Model* mapStart = nullptr;
    OrvaneEngine::Model* mapFinish = nullptr;
    OrvaneEngine::Model* mapCheckPoint = nullptr;
    OrvaneEngine::Model* mapPath = nullptr;
    OrvaneEngine::Model* mapPathCheckPoint = nullptr;
    // ui\menus\models\game_logic
    OrvaneEngine::Model* panelBackground = nullptr;
    OrvaneEngine::Model* panelMain = nullptr;
    OrvaneEngine::Model* panelMenuButton = nullptr;
    OrvaneEngine::Model* panelLevelNameTextArea = nullptr;
    OrvaneEngine::Model* panelLevelName = nullptr;
    OrvaneEngine::Model* panelLevelNameTitleTextArea = nullptr;
    OrvaneEngine::Model* panelScoreTextArea = nullptr;
    OrvaneEngine::Model* panelScore = nullptr;
    OrvaneEngine::Model* panelScoreTitleTextArea = nullptr;
    OrvaneEngine::Model* panelMinimizeButton = nullptr;
    OrvaneEngine::Model* panelMaximizeWindowButton = nullptr;
    OrvaneEngine::Model* panelMaximizeFullscreenButton = nullptr;
    OrvaneEngine::Model* panelCloseButton = nullptr;
    // ui\menus\models\level_complete
    OrvaneEngine::Model* levelCompleteFrame = nullptr;
    OrvaneEngine::Model* levelCompleteTotem = nullptr;
    // ui\menus\models\tutorial
    OrvaneEngine::Model* tutorialBackground = nullptr;
    OrvaneEngine::Model* tutorialClosedElement = nullptr;
    std::array<OrvaneEngine::Model*, 4> tutorialElements{};
    OrvaneEngine::Model* tutorialMouse = nullptr;
    OrvaneEngine::Model* tutorialMouseControl = nullptr;
    // ui\menus\particles
    OrvaneEngine::ParticleSystem* cursorTrain = nullptr;
    OrvaneEngine::ParticleSystem* cursorClick = nullptr;
    OrvaneEngine::ParticleSystem* upgradeEffect = nullptr;

private:
    void LoadBackgroundLayers();
    void LoadGameObjects();
    void LoadMenus();
    void LoadControls();
    void LoadPanelAndTutorial();

    // Loaded with its options and registered under a generated name.
    OrvaneEngine::Model* TakeModel(const std::string& path, std::uint32_t flags = 0,
                                   OrvaneEngine::Camera* camera = nullptr);
    OrvaneEngine::ParticleSystem* TakeParticleSystem(const std::string& path);
};

} // namespace Mirabel
