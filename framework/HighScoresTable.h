#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Engine;
class FileManager;
class MessageManager;
} // namespace OrvaneEngine

namespace GameFramework
{

class VersionedFile;

// The best scores of each game mode, kept in the per-user folder. A table
// that cannot be read starts empty and is written so at once; a save that
// fails is logged and leaves the rows in memory as they are.
class HighScoresTable
{
public:
    // One place in the table.
    struct Row
    {
        std::u16string name;
        std::uint32_t mode = 0;
        std::uint32_t score = 0;
        // When it was entered: the older of two equal scores ranks higher.
        std::uint32_t sequence = 0;
    };

    // Loads the table at once.
    HighScoresTable(OrvaneEngine::Engine* engine, std::uint32_t rowsPerMode, const std::string& folder);
    virtual ~HighScoresTable();
    HighScoresTable(const HighScoresTable&) = delete;
    HighScoresTable& operator=(const HighScoresTable&) = delete;

    // Enters the score, keeps the best rows of its mode and saves; the new
    // row, or null when it did not stay.
    const Row* AddScore(const std::u16string& name, std::uint32_t mode, std::uint32_t score);
    std::uint32_t GetCount(std::uint32_t mode) const;
    // The n-th best row of the mode, or null.
    const Row* GetEntry(std::uint32_t mode, std::uint32_t n) const;
    // Appended as it is: no sorting, no saving.
    const Row* AddEntry(const std::u16string& name, std::uint32_t mode, std::uint32_t score, std::uint32_t sequence);
    // No rows, the counter back to 0, saved.
    void Clear();
    // Never throws.
    void Save();

    OrvaneEngine::Engine* GetEngine() const { return engine; }
    std::uint32_t GetRowsPerMode() const { return rowsPerMode; }
    const std::string& GetFolder() const { return folder; }
    std::uint32_t GetSequenceCounter() const { return sequenceCounter; }
    // Both modes mixed, best first.
    const std::vector<std::unique_ptr<Row>>& GetRows() const { return rows; }

private:
    void Load();

    OrvaneEngine::Engine* engine;
    OrvaneEngine::MessageManager* messageManager;
    OrvaneEngine::FileManager* fileManager;
    std::unique_ptr<VersionedFile> file;
    std::uint32_t rowsPerMode;
    std::vector<std::unique_ptr<Row>> rows;
    std::string folder;
    std::uint32_t sequenceCounter = 0;
};

} // namespace GameFramework
