#pragma once
// A totem play over the menu harness: the mini-game models, the totem
// pictures and the map's totems written with the content/ writers, a frame
// control standing for the stage map's frame, and the mini game updated
// after it in the game's order. Time runs on the harness's fake clock.

#include "engine/core/Color.h"
#include "game/MiniGame.h"
#include "game/MiniGameCell.h"
#include "game/menus/GUIControl.h"
#include "tests/support/MenuHarness.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Model;
}

namespace corvellan::test
{

class MiniGameFixture
{
public:
    static constexpr std::uint32_t FrameMs = 20;
    // The picture's quadrant colours, by image column block and row block:
    // cell (x, y) of a 2 x 2 grid shows Quadrants[x][y]. The back face of
    // the cell model shows the next column's part of the picture.
    static constexpr std::array<std::array<MenuColour, 2>, 2> Quadrants{{
        {{{220, 40, 40}, {40, 220, 40}}},
        {{{40, 40, 220}, {230, 230, 40}}},
    }};
    // The image around the picture.
    static constexpr MenuColour Outside{128, 128, 128};
    // The map's totem of stage k: 30 x 60 at (600 + 40k, 400).
    static MenuBox MapTotem(std::uint32_t stage);

    // The data with one stage per grid size.
    explicit MiniGameFixture(const std::vector<std::uint32_t>& grids);
    ~MiniGameFixture();

    // The engine, the game data, the frame control (animated, or a one-frame
    // model) and the mini game, updated every frame after the frame control.
    void Start(bool animatedFrame = true);
    // The stage map's frame starts to appear.
    void Appear();
    // Frames of FrameMs until the condition holds; false after `frames`.
    bool StepUntil(const std::function<bool()>& condition, std::uint32_t frames = 1000);
    void Steps(std::uint32_t frames);
    // Appear, Start(stage) and run until built.
    void Play(std::uint32_t stage);
    // Every cell held upright at rest with no scramble left, or in `state`.
    void Hold(std::uint32_t state = 0);

    // The cursor onto the point at offset (dx, dy) from the cell's centre.
    void MoveOnto(const Mirabel::MiniGameCell& cell, float dx, float dy);
    // A frame for the hover, then the left button down for a frame and up for one.
    void Click();
    // Ends the play, the frame and the engine; the log is then complete.
    void Stop();

    Mirabel::MiniGameCell& Cell(std::uint32_t x, std::uint32_t y) const;

    MenuHarness menu;
    std::unique_ptr<OrvaneEngine::Model> oneFrame;
    std::unique_ptr<Mirabel::GUIControl> frame;
    std::unique_ptr<Mirabel::MiniGame> game;
    OrvaneEngine::Color frameColor{1.0f, 1.0f, 1.0f, 1.0f};
    std::vector<std::uint32_t> grids;
};

} // namespace corvellan::test
