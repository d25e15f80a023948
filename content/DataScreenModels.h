#pragma once

#include <string>

namespace corvellan::content
{

class DataStaging;

// The models of the play screens under data\ui\menus\models\: the
// in-game panel and level scene, level complete, the stage map's own
// controls and totems, the game-complete effects and the tutorial demo.
class DataScreenModels
{
public:
    static void Stage(DataStaging& staging);
    // A few small real files of the group's formats into <folder>/<target>/.
    static void WriteSeeds(const std::string& folder);
};

} // namespace corvellan::content
