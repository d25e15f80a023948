#pragma once

#include "content/DataLayout.h"

namespace corvellan::content
{

// Where the menu controls stand on the 800 x 600 screen (y up). A control
// model is authored where it belongs; a widget model stands at one of its
// uses, and the game moves it to the others by the difference of the boxes.
struct DataMenuPlaces
{
    // Buttons: the face, and the text area that keeps a margin inside it
    // (as wide as the layout's text places for their labels).
    static constexpr DataRect BigButton{484, 43, 644, 83};
    static constexpr DataRect BigButtonText{489, 46, 639, 80};
    static constexpr DataRect SmallButton{70, 43, 250, 83};
    static constexpr DataRect SmallButtonText{80, 47, 240, 79};
    // Seven main-menu buttons 50 apart in the layout's button column.
    static constexpr float MainMenuStep = 50.0f;
    static constexpr DataRect MainMenuButton{280, 83, 520, 127};
    static constexpr DataRect MainMenuButtonText{290, 89, 510, 121};

    // The big window's buttons, button_0 (cancel, back) on the right.
    static constexpr DataRect BigWindowButtons[3] = {{484, 43, 644, 83}, {320, 43, 480, 83}, {156, 43, 316, 83}};
    // The small window's: button_1 (yes, ok) left, button_0 right.
    static constexpr DataRect SmallWindowButtons[2] = {{425, 160, 585, 200}, {215, 160, 375, 200}};
    static constexpr DataRect LargeWindowButtons[2] = {{70, 43, 250, 83}, {550, 43, 730, 83}};
    // The player-name field, 300 wide as the edit box shows it, under the
    // prompt that stands 128 over the small window's text area.
    static constexpr DataRect NameEdit{250, 300, 550, 330};

    // The horizontal scroll bar at the options' music slider: step buttons
    // at both ends, the thumb running between them.
    static constexpr DataRect ScrollH{250, 352, 550, 376};
    static constexpr DataRect ScrollHDecrease{250, 352, 274, 376};
    static constexpr DataRect ScrollHIncrease{526, 352, 550, 376};
    static constexpr DataRect ScrollHThumbMin{276, 352, 300, 376};
    static constexpr DataRect ScrollHThumbMax{500, 352, 524, 376};
    // The vertical one beside the profile list: up at the top.
    static constexpr DataRect ScrollV{426, 180, 450, 370};
    static constexpr DataRect ScrollVIncrease{426, 346, 450, 370};
    static constexpr DataRect ScrollVDecrease{426, 180, 450, 204};
    static constexpr DataRect ScrollVThumbMin{426, 206, 450, 230};
    static constexpr DataRect ScrollVThumbMax{426, 320, 450, 344};

    // Options (big window; the labels stand at fixed heights over its text area).
    static constexpr DataRect OptionsMusic{250, 352, 550, 376};
    static constexpr DataRect OptionsSound{250, 301, 550, 325};
    static constexpr DataRect ResolutionText{300, 252, 500, 278};
    static constexpr DataRect ResolutionTextArea{306, 253, 494, 277};
    static constexpr DataRect ResolutionLeft{272, 253, 296, 277};
    static constexpr DataRect ResolutionRight{504, 253, 528, 277};
    static constexpr DataRect OptionsFullscreen{242, 209, 266, 233};
    // The in-game menu (big window).
    static constexpr DataRect GameMenuMusic{250, 338, 550, 362};
    static constexpr DataRect GameMenuSound{250, 274, 550, 298};
    static constexpr DataRect GameMenuFullscreen{244, 230, 268, 254};

    // Profiles (big window): the name list, 7 rows at its foot + 163 - 22 i,
    // its scroll bar, and the buttons beside it.
    static constexpr DataRect ProfileNames{180, 180, 420, 370};
    static constexpr DataRect ProfileButtons[4] = {
        {460, 330, 640, 370}, {460, 284, 640, 324}, {460, 238, 640, 278}, {460, 43, 640, 83}};

    // Check boxes, arrows and the in-game panel's small buttons.
    static constexpr DataRect CheckBox{242, 209, 266, 233};
    static constexpr DataRect GameLogicMinimize{556, 19, 580, 43};
    static constexpr DataRect GameLogicMaximize{584, 19, 608, 43};
    static constexpr DataRect GameLogicClose{612, 19, 636, 43};
    // The control totem, square.
    static constexpr DataRect Totem{376, 276, 424, 324};
};

} // namespace corvellan::content
