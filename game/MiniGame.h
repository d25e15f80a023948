#pragma once

#include "engine/core/Color.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace OrvaneEngine
{
class Controls;
class Engine;
class GUIManager;
class GUIWindow;
class ShaderManager;
class ShaderUser;
class TimerManager;
} // namespace OrvaneEngine

namespace GameFramework
{
class SoundController;
}

namespace Mirabel
{

class GameData;
class GUIControl;
class GUIMenuWindowManager;
class LevelManager;
class MiniGameCell;

// The totem puzzle played on the stage map after a stage: the stage's totem
// picture cut into cells that the player turns upright, then the picture
// flying to the stage's totem on the map and the closing lines. Every
// window hangs under the map's frame window; the play is built when that
// frame appears and torn down when it disappears.
class MiniGame
{
public:
    static constexpr std::uint32_t SoundComplete = 29;
    static constexpr std::uint32_t ClicksPerCell = 6;

    MiniGame(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
             LevelManager* levelManager, GameData* gameData, GUIMenuWindowManager* menuWindowManager,
             GUIControl* frameControl);
    virtual ~MiniGame();
    MiniGame(const MiniGame&) = delete;
    MiniGame& operator=(const MiniGame&) = delete;

    // A stage without a totem or a stage record is refused with an error line.
    void Start(std::uint32_t stage);
    void Update(const OrvaneEngine::Color& frameColor);

    std::uint32_t GetStage() const { return stageIndex; }
    bool IsBuilt() const { return pictureShader != nullptr; }
    const std::vector<std::unique_ptr<MiniGameCell>>& GetCells() const { return cells; }

    // Read by the stage map and the tests.
    OrvaneEngine::GUIWindow* cellContainer = nullptr;
    OrvaneEngine::GUIWindow* pictureWindow = nullptr;
    OrvaneEngine::GUIWindow* maskedWindow = nullptr;
    OrvaneEngine::GUIWindow* totemWindow = nullptr;
    bool solved = false;
    float phaseTimer = 0.0f;
    float textTimer = 0.0f;
    bool running = false;
    bool completed = false;

private:
    bool ShouldBuild() const;
    void Build();
    void TearDown();
    void UpdateCompletion(const OrvaneEngine::Color& frameColor);
    void FlyToTotem(const OrvaneEngine::Color& frameColor);
    bool IsWon() const;

    OrvaneEngine::Engine* engine;
    [[maybe_unused]] OrvaneEngine::Controls* controls;
    OrvaneEngine::GUIManager* guiManager;
    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::ShaderManager* shaderManager;
    GameFramework::SoundController* soundController;
    LevelManager* levelManager;
    GameData* gameData;
    [[maybe_unused]] GUIMenuWindowManager* menuWindowManager;
    GUIControl* frameControl;
    OrvaneEngine::GUIWindow* parent;
    OrvaneEngine::ShaderUser* pictureShader = nullptr;
    OrvaneEngine::ShaderUser* maskedShader = nullptr;
    std::vector<std::unique_ptr<MiniGameCell>> cells;
    std::uint32_t stageIndex = 0;
    // The window colours are stored in 8 bits; the fades run on these.
    float pictureAlpha = 0.0f;
};

} // namespace Mirabel
