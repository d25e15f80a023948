#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvellan::content
{

struct LevelListLevel
{
    // One word: the puzzle's folder under "data\puzzles\".
    std::string folder;
    std::uint32_t arcadeAceTime = 0;
    std::uint32_t relaxAceTime = 0;
};

struct LevelListStage
{
    std::uint32_t gridSize = 0;
    std::vector<LevelListLevel> levels;
    // Written in place of the number of levels.
    std::optional<std::int64_t> levelCount;
    // The stage's file cut to this many bytes.
    std::optional<std::size_t> keepBytes;
};

struct LevelListOptions
{
    // Written in place of the number of stages.
    std::optional<std::int64_t> stageCount;
    // Stages whose grid size is left out of "stages_info.ini", from the end.
    std::size_t gridSizesLeftOut = 0;
    // Every file starts with the UTF-8 byte-order mark.
    bool byteOrderMark = false;
};

// The game's level lists: "stages_info.ini" with the number of stages and a
// grid size per stage, and "stage" + i + ".ini" with the number of levels and
// a folder and two ace times per level. Plain text, one value a line, read
// word by word.
class LevelListWriter
{
public:
    static std::string BuildStages(const std::vector<LevelListStage>& stages, const LevelListOptions& options = {});
    static std::string BuildStage(const LevelListStage& stage, const LevelListOptions& options = {});
    // Writes every file into folder (an operating-system path, usually
    // <root>/data/levels), making it; false when a file could not be written.
    static bool WriteTo(const std::string& folder, const std::vector<LevelListStage>& stages,
                        const LevelListOptions& options = {});
    // Three levels in stage 0 and four in stage 1, grid sizes 3 and 4.
    static std::vector<LevelListStage> TwoStages();
};

} // namespace corvellan::content
