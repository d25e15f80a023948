#pragma once

#include <string>

namespace corvellan::content
{

class DataStaging;

// The game's play objects under data\game_objects\ and the stage map
// (data\ui\menus\map\): the mini game, the track, the carriage, the
// bonuses and the board.
class DataGameObjects
{
public:
    static void Stage(DataStaging& staging);
    // A few small real files of the group's formats into <folder>/<target>/.
    static void WriteSeeds(const std::string& folder);
};

} // namespace corvellan::content
