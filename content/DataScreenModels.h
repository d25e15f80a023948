#pragma once

#include "content/DataLayout.h"
#include "content/ModelFileWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::content
{

class DataStaging;

// The models of the play screens under data\ui\menus\models\: the
// in-game panel and level scene, level complete, the stage map's own
// controls and totems, the game-complete effects and the tutorial demo.
class DataScreenModels
{
public:
    // Stages every model; throws std::runtime_error naming the file when
    // one would stall or mislead the game (the checks below).
    static void Stage(DataStaging& staging);
    // A few small real files of the group's formats into <folder>/<target>/.
    static void WriteSeeds(const std::string& folder);

    // Empty when the game-complete effect of that name reaches full
    // opacity: the game fades it in over its first ten frames and out over
    // its last ten, and shows the unicorn (whose end leads on to the game
    // complete screen) only in between, so it needs more than 20 frames.
    static std::string CheckGameCompleteEffect(const std::string& name, const ModelFileRecord& record);
    // Empty when the stage map's totem places suit stageCount stages: one
    // square on the screen for every played stage, and the places of the
    // others (the game always keeps eight, and shows them all) off it.
    static std::string CheckTotems(const std::vector<DataRect>& boxes, std::uint32_t stageCount);
};

} // namespace corvellan::content
