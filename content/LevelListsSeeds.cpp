#include "content/FuzzSeeds.h"
#include "content/LevelListWriter.h"

namespace corvellan::content
{

bool WriteLevelListsSeeds(const std::string& folder)
{
    const std::string target = "level_lists";
    const auto stages = LevelListWriter::TwoStages();
    LevelListOptions marked;
    marked.byteOrderMark = true;
    LevelListOptions huge;
    huge.stageCount = 4000000000;
    const std::string stageList = LevelListWriter::BuildStages(stages);
    const std::string levelList = LevelListWriter::BuildStage(stages[0]);

    bool written = WriteSeed(folder, target, "stages.ini", stageList);
    written = WriteSeed(folder, target, "stages_marked.ini", LevelListWriter::BuildStages(stages, marked)) && written;
    written = WriteSeed(folder, target, "stages_huge.ini", LevelListWriter::BuildStages(stages, huge)) && written;
    written = WriteSeed(folder, target, "stages_cut.ini", stageList.substr(0, stageList.size() / 2)) && written;
    written = WriteSeed(folder, target, "levels.ini", levelList) && written;
    written = WriteSeed(folder, target, "levels_marked.ini", LevelListWriter::BuildStage(stages[0], marked)) && written;
    written = WriteSeed(folder, target, "levels_cut.ini", levelList.substr(0, levelList.size() / 2)) && written;
    return written;
}

} // namespace corvellan::content
