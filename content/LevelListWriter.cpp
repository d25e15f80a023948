#include "content/LevelListWriter.h"

#include "content/AtomicWrite.h"

#include <algorithm>

namespace corvellan::content
{

namespace
{

std::string Start(const LevelListOptions& options)
{
    return options.byteOrderMark ? std::string("\xEF\xBB\xBF") : std::string();
}

} // namespace

std::string LevelListWriter::BuildStages(const std::vector<LevelListStage>& stages, const LevelListOptions& options)
{
    std::string text = Start(options);
    text += std::to_string(options.stageCount.value_or(static_cast<std::int64_t>(stages.size()))) +
            " // stages\r\n";
    const std::size_t written = stages.size() - std::min(options.gridSizesLeftOut, stages.size());
    for (std::size_t stage = 0; stage < written; ++stage)
        text += std::to_string(stages[stage].gridSize) + "\r\n";
    return text;
}

std::string LevelListWriter::BuildStage(const LevelListStage& stage, const LevelListOptions& options)
{
    std::string text = Start(options);
    text += std::to_string(stage.levelCount.value_or(static_cast<std::int64_t>(stage.levels.size()))) +
            " // levels\r\n";
    for (const LevelListLevel& level : stage.levels)
        text += level.folder + " " + std::to_string(level.arcadeAceTime) + " " + std::to_string(level.relaxAceTime) +
                "\r\n";
    if (stage.keepBytes && *stage.keepBytes < text.size())
        text.resize(*stage.keepBytes);
    return text;
}

bool LevelListWriter::WriteTo(const std::string& folder, const std::vector<LevelListStage>& stages,
                              const LevelListOptions& options)
{
    bool written = WriteFileAtomically(folder + "/stages_info.ini", BuildStages(stages, options));
    for (std::size_t stage = 0; stage < stages.size(); ++stage)
        written = WriteFileAtomically(folder + "/stage" + std::to_string(stage) + ".ini",
                                      BuildStage(stages[stage], options)) &&
                  written;
    return written;
}

std::vector<LevelListStage> LevelListWriter::TwoStages()
{
    return {
        {3, {{"red_fox", 60, 120}, {"blue_owl", 70, 140}, {"green_frog", 80, 160}}, {}, {}},
        {4, {{"old_mill", 90, 180}, {"tall_tower", 100, 200}, {"deep_well", 110, 220}, {"dark_wood", 120, 240}}, {},
         {}},
    };
}

} // namespace corvellan::content
