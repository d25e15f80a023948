#pragma once

#include "engine/core/Color.h"
#include "framework/GUIStartGameLogicWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <array>
#include <memory>
#include <vector>

namespace OrvaneEngine
{
class FileManager;
class MessageManager;
} // namespace OrvaneEngine

namespace GameFramework
{
class ProfileBase;
class ProfileManagerBase;
} // namespace GameFramework

namespace GameTools
{
class GUIDoubleClickDetecter;
}

namespace Mirabel
{

class GUIGameCompleteEffect;
class GUIMapElement;
class LevelManager;
class MiniGame;

// The stage map, from which every level starts: a path of markers up to the
// furthest level reached, a totem per stage that fills as stages are done,
// the stage's mini game after its last level, and the game-complete effect
// after the last stage.
class GUIStartGameLogicWindow : public GameFramework::GUIStartGameLogicWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t Totems = 8;

    GUIStartGameLogicWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                            GameData* gameData, GUIMenuWindowManager* menuWindowManager, LevelManager* levelManager,
                            GameFramework::ProfileManagerBase* profileManager, GUIGameCompleteEffect* effect,
                            OrvaneEngine::GUIWindow* parent);
    ~GUIStartGameLogicWindow() override;

    void Show(std::uint32_t callerCode) override;
    void Hide() override;
    void Update() override;
    // Clamped to the furthest position reached; saves the profile's next level.
    void SetMapPosition(std::uint32_t stage, std::uint32_t level);

    std::unique_ptr<MiniGame> miniGame;
    std::unique_ptr<GUIControl> mapControl;
    std::unique_ptr<GUIControl> backControl;
    std::unique_ptr<GUIControl> startControl;
    std::unique_ptr<GUIControl> relaxControl;
    std::unique_ptr<GameTools::GUIDoubleClickDetecter> detecter;
    std::uint32_t stageCount = 0;
    std::vector<std::unique_ptr<GUIMapElement>> elements;
    bool introRunning = false;
    float introClock = 0.0f;
    std::array<OrvaneEngine::GUIWindow*, Totems> backTotems{};
    std::array<OrvaneEngine::GUIWindow*, Totems> frontTotems{};
    std::array<float, Totems> totemAlphas{};
    OrvaneEngine::Color ownColor{1.0f, 1.0f, 1.0f, 0.0f};

private:
    void LoadMap();
    void CheckAgainstLevels() const;
    void CreateTotems();
    std::uint32_t MiniGameStage() const;
    // The stages whose totems show full: those before the current one, and
    // the last one too once the game has been completed.
    std::uint32_t CompletedStages() const;
    bool AtLastLevel() const;
    // At the last level with the game no longer in progress: its last level won.
    bool LastLevelWon() const;
    std::vector<GUIControl*> OwnControls() const;
    void UpdateElements(bool fullyOpen, bool gameComplete);
    void UpdatePreview();
    void Labels();

    OrvaneEngine::MessageManager* messageManager;
    OrvaneEngine::FileManager* fileManager;
    LevelManager* levelManager;
    GameFramework::ProfileManagerBase* profileManager;
    GUIGameCompleteEffect* effect;
    GameFramework::ProfileBase* profile = nullptr;
    bool previewMissingLogged = false;
    bool effectShown = false;
};

} // namespace Mirabel
