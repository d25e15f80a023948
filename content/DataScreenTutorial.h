#pragma once

#include "content/DataCanvas.h"
#include "content/DataLayout.h"

#include <cstdint>

namespace corvellan::content
{

class DataStaging;

// The tutorial's demo under ui\menus\models\tutorial\: a board of four
// places, four pieces waiting on a track, and a mouse that carries them
// over; one piece is dropped back with the right button, and the blocked
// place opens once both its neighbours are filled.
class DataScreenTutorial
{
public:
    // The mouse path plays one frame per step of the demo.
    static constexpr std::uint32_t Frames = 96;
    static constexpr float Speed = 8.0f;
    static constexpr DataRect Board{200.0f, 180.0f, 400.0f, 380.0f};
    static constexpr float PieceSize = 80.0f;
    // The drawn mouse; the path model's box hangs this far below the point.
    static constexpr float MouseWidth = 40.0f;
    static constexpr float MouseHeight = 56.0f;

    static void Stage(DataStaging& staging);
    // The blocked place's picture: stone with a padlock.
    static DataCanvas ClosedElement();
};

} // namespace corvellan::content
