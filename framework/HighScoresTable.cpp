#include "framework/HighScoresTable.h"

namespace GameFramework
{

HighScoresTable::HighScoresTable(OrvaneEngine::Engine* engineIn, std::uint32_t rows, const std::string& folderIn)
    : engine(engineIn), rowsPerMode(rows), folder(folderIn)
{
}

HighScoresTable::~HighScoresTable() = default;

} // namespace GameFramework
