#pragma once

#include "content/DataCanvas.h"
#include "content/DataLayout.h"

#include <array>

namespace corvellan::content
{

class DataStaging;

// The in-game panel under ui\menus\models\game_logic\: the level scene in
// front of the board, the panel's strip, its buttons' places and the boxes
// its titles and values are printed in.
class DataScreenPanel
{
public:
    // The level scene is a picture of the whole virtual screen.
    static constexpr float SceneWidth = 800.0f;
    static constexpr float SceneHeight = 600.0f;
    static constexpr DataRect Board{63.0f, 63.0f, 575.0f, 447.0f};
    // The arcade track, P0 to P5; the scene shows it as a groove.
    static constexpr std::array<Point2, 6> Track{
        {{715.0f, 30.0f}, {715.0f, 260.0f}, {705.0f, 440.0f}, {640.0f, 505.0f}, {330.0f, 512.0f}, {45.0f, 505.0f}}};
    static constexpr float GrooveWidth = 50.0f;
    static constexpr float GrooveAlpha = 0.35f;
    // Where the statistics lines are printed.
    static constexpr DataRect Statistics{0.0f, 470.0f, 230.0f, 530.0f};

    // The size of the buttons the panel's controls show (their widgets).
    static constexpr float MenuButtonWidth = 180.0f;
    static constexpr float MenuButtonHeight = 40.0f;
    static constexpr float WindowButtonSize = 24.0f;

    static void Stage(DataStaging& staging);
};

} // namespace corvellan::content
