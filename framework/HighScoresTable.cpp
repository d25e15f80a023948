#include "framework/HighScoresTable.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "framework/FileFields.h"
#include "framework/VersionedFile.h"
#include "framework/VersionedFileSaver.h"

#include <algorithm>

namespace GameFramework
{

namespace
{

constexpr const char* TableFileName = "high_scores.hsf";
constexpr const char* Magic = "GFHSF";
constexpr std::uint32_t Version = 101;

} // namespace

HighScoresTable::HighScoresTable(OrvaneEngine::Engine* engineIn, std::uint32_t rowsPerModeIn,
                                 const std::string& folderIn)
    : engine(engineIn), messageManager(engineIn->messageManager.get()), fileManager(engineIn->fileManager.get()),
      file(std::make_unique<VersionedFile>(engineIn, Magic, Version)), rowsPerMode(rowsPerModeIn), folder(folderIn)
{
    Load();
}

HighScoresTable::~HighScoresTable() = default;

void HighScoresTable::Load()
{
    try
    {
        file->Open(folder + "\\" + TableFileName, 0, 0, nullptr);
        OrvaneEngine::FileBinary* input = file->GetFile();
        sequenceCounter = FileFields::ReadUInt32(input);
        // Nothing is reserved from the count: a damaged one meets the end of
        // the bytes after a few rows.
        const std::uint32_t count = FileFields::ReadUInt32(input);
        for (std::uint32_t index = 0; index < count; ++index)
        {
            std::u16string name;
            input->ReadWideString(name);
            const std::uint32_t mode = FileFields::ReadUInt32(input);
            const std::uint32_t score = FileFields::ReadUInt32(input);
            const std::uint32_t sequence = FileFields::ReadUInt32(input);
            AddEntry(name, mode, score, sequence);
        }
        file->Close();
    }
    catch (const OrvaneEngine::FileError&)
    {
        file->Close();
        Clear();
    }
}

const HighScoresTable::Row* HighScoresTable::AddScore(const std::u16string& name, std::uint32_t mode,
                                                      std::uint32_t score)
{
    const Row* added = AddEntry(name, mode, score, sequenceCounter++);
    std::stable_sort(rows.begin(), rows.end(), [](const auto& first, const auto& second) {
        if (first->score != second->score)
            return first->score > second->score;
        return first->sequence < second->sequence;
    });
    std::uint32_t kept = 0;
    bool addedStays = true;
    std::erase_if(rows, [&](const std::unique_ptr<Row>& row) {
        if (row->mode != mode || ++kept <= rowsPerMode)
            return false;
        if (row.get() == added)
            addedStays = false;
        return true;
    });
    Save();
    return addedStays ? added : nullptr;
}

std::uint32_t HighScoresTable::GetCount(std::uint32_t mode) const
{
    return static_cast<std::uint32_t>(
        std::count_if(rows.begin(), rows.end(), [mode](const auto& row) { return row->mode == mode; }));
}

const HighScoresTable::Row* HighScoresTable::GetEntry(std::uint32_t mode, std::uint32_t n) const
{
    std::uint32_t seen = 0;
    for (const auto& row : rows)
    {
        if (row->mode == mode && seen++ == n)
            return row.get();
    }
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
    sequenceCounter = 0;
    rows.clear();
    Save();
}

void HighScoresTable::Save()
{
    VersionedFileSaver::Save(*file, folder + "\\" + TableFileName, messageManager,
                             [this](OrvaneEngine::FileBinary* output) {
                                 FileFields::WriteUInt32(output, sequenceCounter);
                                 FileFields::WriteUInt32(output, static_cast<std::uint32_t>(rows.size()));
                                 for (const auto& row : rows)
                                 {
                                     output->WriteWideString(row->name);
                                     FileFields::WriteUInt32(output, row->mode);
                                     FileFields::WriteUInt32(output, row->score);
                                     FileFields::WriteUInt32(output, row->sequence);
                                 }
                             });
}

} // namespace GameFramework
