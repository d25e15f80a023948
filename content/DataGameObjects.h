#pragma once

#include "content/DataCanvas.h"
#include "content/ModelFileWriter.h"

#include <string>
#include <vector>

namespace corvellan::content
{

class DataStaging;

// A rectangle of the virtual screen, y up.
struct DataArea
{
    float left;
    float bottom;
    float right;
    float top;

    bool Holds(Point2 p, float margin) const
    {
        return p.x > left - margin && p.x < right + margin && p.y > bottom - margin && p.y < top + margin;
    }
};

// The game's play objects under data\game_objects\ and the stage map
// (data\ui\menus\map\): the mini game, the track, the carriage, the
// bonuses and the board.
class DataGameObjects
{
public:
    // Where the level shows its board and its panel strip.
    static constexpr DataArea Board{63.0f, 63.0f, 575.0f, 447.0f};
    static constexpr DataArea Panel{63.0f, 6.0f, 640.0f, 56.0f};
    // The train keeps pieces 60 apart, and a piece rides in a 40 x 40 box.
    static constexpr float ShortestSegment = 60.0f;
    static constexpr float TrackClearance = 20.0f;
    static constexpr std::uint32_t TrackPointCount = 6;

    // P0..P5 of the arcade track; relax mode ends at P4.
    static const std::vector<Point2>& TrackPoints();
    // Empty when the game can run a train along the points: six distinct
    // points, no segment shorter than ShortestSegment, the board on the
    // left of every segment (where carried pieces grow), and no point on
    // the board or the panel; else the first fault.
    static std::string CheckTrack(const std::vector<Point2>& points);
    // Empty when the completion model plays an animation the board can see
    // end (frames and a speed above 0); else the fault.
    static std::string CheckCompletion(const ModelFileRecord& record);
    static ModelFileRecord CompletionModel();

    static void Stage(DataStaging& staging);
    // A few small real files of the group's formats into <folder>/<target>/.
    static void WriteSeeds(const std::string& folder);
};

} // namespace corvellan::content
