#pragma once

#include "content/DataCanvas.h"
#include "content/DataLayout.h"

#include <cstdint>
#include <vector>

namespace corvellan::content
{

class DataStaging;

// The stage map's own models under ui\menus\models\start_game\ (the map
// picture, the relax box, the totem places, the game-complete effects)
// and the level-complete screen's under level_complete\.
class DataScreenMap
{
public:
    // The game keeps a totem place for this many stages.
    static constexpr std::uint32_t TotemPlaces = 8;
    static constexpr float TotemSize = 48.0f;
    // Where the totems of stages that are not played wait.
    static constexpr Point2 OffScreen{-200.0f, -200.0f};
    static constexpr DataRect MapRect{60.0f, 90.0f, 740.0f, 480.0f};
    // The check box's widget is this square; the label follows at x 195.
    static constexpr float CheckBoxSize = 24.0f;
    // The level-complete totem shows the control totem at its own size.
    static constexpr float LevelCompleteTotemSize = 48.0f;
    static constexpr std::uint32_t EffectFrames = 60;

    static void Stage(DataStaging& staging);
    // The totem places of the eight stages: a square beside the first
    // marker of each played stage, on the map and clear of the markers,
    // and off screen for the rest.
    static std::vector<DataRect> TotemBoxes(const std::vector<Point2>& stageStarts);
    // Where the first marker of each stage stands on the map.
    static std::vector<Point2> StageStarts();
};

} // namespace corvellan::content
