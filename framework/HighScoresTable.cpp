#include "framework/HighScoresTable.h"

#include "engine/core/Engine.h"
#include "framework/VersionedFile.h"

namespace GameFramework
{

HighScoresTable::HighScoresTable(OrvaneEngine::Engine* engineIn, std::uint32_t rows, const std::string& folderIn)
    : engine(engineIn), messageManager(engineIn->messageManager.get()), fileManager(engineIn->fileManager.get()),
      file(std::make_unique<VersionedFile>(engineIn, "GFHSF", 101)), rowsPerMode(rows), folder(folderIn)
{
}

HighScoresTable::~HighScoresTable() = default;

const HighScoresTable::Row* HighScoresTable::AddScore(const std::u16string& name, std::uint32_t mode,
                                                      std::uint32_t score)
{
    return AddEntry(name, mode, score, sequenceCounter++);
}

std::uint32_t HighScoresTable::GetCount(std::uint32_t /*mode*/) const
{
    return 0;
}

const HighScoresTable::Row* HighScoresTable::GetEntry(std::uint32_t /*mode*/, std::uint32_t /*n*/) const
{
    return nullptr;
}

const HighScoresTable::Row* HighScoresTable::AddEntry(const std::u16string& name, std::uint32_t mode,
                                                      std::uint32_t score, std::uint32_t sequence)
{
    rows.push_back(std::make_unique<Row>(Row{name, mode, score, sequence}));
    return rows.back().get();
}

void HighScoresTable::Clear()
{
    rows.clear();
    sequenceCounter = 0;
}

void HighScoresTable::Save() {}

void HighScoresTable::Load() {}

} // namespace GameFramework
