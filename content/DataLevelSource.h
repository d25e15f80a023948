#pragma once

#include "content/DataLevels.h"

#include <string>
#include <vector>

namespace corvellan::content
{

// Reads the hand-written stage table, content/levels/stages.ini: "#"
// comments, blank lines, a "stages = <n>" line, then n "[stage]" sections of
// "grid", "blocked" and "levels" lines and the stated number of
// "level = <folder> <columns>x<rows> <family> <palette>" lines. Every fault
// throws std::runtime_error whose text starts with "<path>:<line>: ".
class DataLevelSource
{
public:
    static std::vector<DataStage> Read(const std::string& path);
    static std::vector<DataStage> Parse(const std::string& text, const std::string& path);
};

} // namespace corvellan::content
