#pragma once

#include "content/DataCanvas.h"
#include "content/MapFileWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::content
{

class DataStaging;

// The stage map: "map.gmf", whose markers stand along a road over the map
// picture of the large window, one per level, and the five marker models.
class DataStageMap
{
public:
    static constexpr const char* FileName = "data\\ui\\menus\\map\\map.gmf";
    // Every marker is a square of this side centred on its origin.
    static constexpr float MarkerSize = 28.0f;
    // The map's frames, in the order the markers show them: open, passed,
    // highlighted, current, unavailable, shadow.
    static constexpr std::uint32_t MarkerFrames = 6;

    // Where the markers stand, in order, on the virtual screen (y up): over
    // the map picture of the large window, above its buttons.
    static const std::vector<Point2>& MarkerPositions();
    // One marker per level, stage after stage, at the marker positions: the
    // start opens stage 0, a check point every later one and the finish
    // closes the last. Throws std::runtime_error when there are more levels
    // than positions.
    static std::vector<MapFileElement> Elements(const std::vector<std::uint32_t>& levelsPerStage);
    // The levels per stage of the game's level lists.
    static std::vector<std::uint32_t> LevelsPerStage();
    // Empty when the map reads as levelsPerStage, stage by stage as the
    // game counts them (a check point opens a stage), with the start first,
    // the finish last and at most eight stages; else the first fault.
    static std::string Check(const std::vector<MapFileElement>& elements,
                             const std::vector<std::uint32_t>& levelsPerStage);

    static std::string Build();
    // The map file and the marker models with their shaders and textures.
    static void Stage(DataStaging& staging);
};

} // namespace corvellan::content
