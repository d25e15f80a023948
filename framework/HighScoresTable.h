#pragma once

#include <cstdint>
#include <string>

namespace OrvaneEngine
{
class Engine;
}

namespace GameFramework
{

// The best scores of each game mode, kept in the per-user folder.
class HighScoresTable
{
public:
    // One place in the table.
    struct Row
    {
        std::u16string name;
        std::uint32_t mode = 0;
        std::uint32_t score = 0;
    };

    HighScoresTable(OrvaneEngine::Engine* engine, std::uint32_t rowsPerMode, const std::string& folder);
    virtual ~HighScoresTable();
    HighScoresTable(const HighScoresTable&) = delete;
    HighScoresTable& operator=(const HighScoresTable&) = delete;

    OrvaneEngine::Engine* GetEngine() const { return engine; }
    std::uint32_t GetRowsPerMode() const { return rowsPerMode; }
    const std::string& GetFolder() const { return folder; }

private:
    OrvaneEngine::Engine* engine;
    std::uint32_t rowsPerMode;
    std::string folder;
};

} // namespace GameFramework
