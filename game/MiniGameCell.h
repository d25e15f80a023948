#pragma once

#include "engine/core/Color.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Vector2.h"

#include <array>
#include <cstdint>

namespace OrvaneEngine
{
class Controls;
class Engine;
class GUIManager;
class GUIWindow;
class Model;
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

// One square of the totem puzzle: its part of the picture on a two-sided
// cell that turns over about x or y, the arrows that offer the turns, and
// the five random turns it makes on its own at the start.
class MiniGameCell
{
public:
    // Arrow directions; up and down turn about x (bit 0), right and left about y (bit 1).
    enum Direction : std::uint32_t
    {
        Up = 0,
        Right = 1,
        Down = 2,
        Left = 3,
    };
    static constexpr std::int32_t NoSector = -1;
    static constexpr std::uint32_t ScrambleFlips = 5;
    static constexpr float ScrambleDelay = 2.0f;
    static constexpr float TurnSpeed = 5.0f;  // radians per second
    static constexpr float ArrowFade = 4.0f;  // alpha per second
    static constexpr float Pi = 3.1415927f;
    static constexpr std::uint32_t SoundFlip = 28;
    // The share of the picture image that holds the picture (300 of 512).
    static constexpr float PictureExtent = 0.5859375f;

    MiniGameCell(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
                 std::uint32_t gridSize, std::uint32_t xIndex, std::uint32_t yIndex,
                 const OrvaneEngine::Vector2& areaPosition, const OrvaneEngine::Vector2& areaSize,
                 OrvaneEngine::ShaderUser* pictureShader, OrvaneEngine::GUIWindow* parent);
    virtual ~MiniGameCell();
    MiniGameCell(const MiniGameCell&) = delete;
    MiniGameCell& operator=(const MiniGameCell&) = delete;

    void Update(const OrvaneEngine::Color& frameColor);
    // No more input: the puzzle is over.
    void Reset();

    // The state after a turn in the direction.
    static std::uint32_t Flip(std::uint32_t state, std::uint32_t direction);
    // The direction whose sector holds the cursor offset d from the cell's
    // centre (GUI coordinates, y up), or NoSector in the cell's middle tenth
    // and on the diagonals.
    static std::int32_t Sector(const OrvaneEngine::Vector2& d, const OrvaneEngine::Vector2& hitSize);
    // The angles (about x, about y) at which the state rests.
    static OrvaneEngine::Vector2 RestAngles(std::uint32_t state);
    // True when the cell takes a click now.
    bool InputPossible() const;

    // Read by the mini game and the tests.
    OrvaneEngine::GUIWindow* borderWindow = nullptr;
    OrvaneEngine::GUIWindow* topWindow = nullptr;
    OrvaneEngine::GUIWindow* bottomWindow = nullptr;
    OrvaneEngine::Vector2 angles{0.0f, 0.0f};
    OrvaneEngine::Vector2 startAngles{0.0f, 0.0f};
    std::array<OrvaneEngine::GUIWindow*, 4> arrowWindows{};
    std::array<float, 4> arrowAlphas{};
    float scrambleTimer = 0.0f;
    std::uint32_t scrambleFlipsLeft = ScrambleFlips;
    OrvaneEngine::GUIWindow* hitWindow = nullptr;
    std::uint32_t xIndex;
    std::uint32_t yIndex;
    std::uint32_t flipState = 0;
    // The state the cell turns from; the flip state when at rest.
    std::uint32_t shownState = 0;
    std::uint32_t clicks = 0;
    OrvaneEngine::Vector2 centre{0.0f, 0.0f};
    OrvaneEngine::Vector2 cellSize{0.0f, 0.0f};
    std::uint32_t lastDirection = Up;
    bool active = true;

private:
    void StartTurn(std::uint32_t direction);
    void Turn(float dt);
    void PlaceModels();
    void FadeArrows(std::int32_t sector, float dt);

    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::Controls* controls;
    OrvaneEngine::GUIManager* guiManager;
    GameFramework::SoundController* soundController;
    GameData* gameData;
    std::array<OrvaneEngine::GUIWindow*, 3> windows{};
};

} // namespace Mirabel
