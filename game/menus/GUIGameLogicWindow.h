#pragma once

#include "engine/core/Color.h"
#include "framework/GUIGameLogicWindowBase.h"

#include <memory>
#include <vector>

namespace OrvaneEngine
{
class Controls;
class GUICheckBox;
class GUIManager;
class GUIWindow;
class Model;
class ModelManager;
class TimerManager;
} // namespace OrvaneEngine

namespace Mirabel
{

class GameData;
class GUIControl;
class GUIMenuWindowManager;

// The panel on screen while a level is played: the level's number, the
// running score, the menu, minimise, window-mode and close buttons, the keys
// that pause the level or open the in-game menu, and the optional
// statistics lines.
class GUIGameLogicWindow : public GameFramework::GUIGameLogicWindowBase
{
public:
    GUIGameLogicWindow(OrvaneEngine::Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                       GameData* gameData, GUIMenuWindowManager* menuWindowManager);
    ~GUIGameLogicWindow() override;

    void Update() override;
    void Show(GameFramework::GameLogicBase* gameLogic) override;
    void Hide() override;
    void SetActive(bool on) override;

    OrvaneEngine::GUIWindow* rootWindow = nullptr;
    OrvaneEngine::GUIWindow* panelWindow = nullptr;
    OrvaneEngine::GUIWindow* controlWindow = nullptr;
    OrvaneEngine::GUIWindow* statisticsWindow = nullptr;
    OrvaneEngine::GUIWindow* backgroundWindow = nullptr;
    std::unique_ptr<GUIControl> mainPanelControl;
    std::unique_ptr<GUIControl> menuControl;
    std::unique_ptr<GUIControl> minimizeControl;
    std::unique_ptr<GUIControl> windowModeControl;
    std::unique_ptr<GUIControl> fullscreenModeControl;
    GUIControl* currentModeControl = nullptr;
    std::unique_ptr<GUIControl> closeControl;
    OrvaneEngine::GUIWindow* levelTitleWindow = nullptr;
    std::unique_ptr<GUIControl> levelControl;
    OrvaneEngine::GUIWindow* scoreTitleWindow = nullptr;
    std::unique_ptr<GUIControl> scoreControl;
    std::vector<GUIControl*> controlList;
    bool shown = false;
    OrvaneEngine::Color color{1.0f, 1.0f, 1.0f, 0.0f};
    GameFramework::GameLogicBase* shownGameLogic = nullptr;

private:
    OrvaneEngine::GUIWindow* TitleWindow(const OrvaneEngine::Model* area);
    bool AnyControl(bool (GUIControl::*test)() const) const;
    void Texts();
    void Statistics();
    void Results();

    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::ModelManager* modelManager;
    OrvaneEngine::GUIManager* guiManager;
    OrvaneEngine::Controls* controls;
    GameData* gameData;
    [[maybe_unused]] GUIMenuWindowManager* menuWindowManager;
};

} // namespace Mirabel
