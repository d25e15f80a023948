#pragma once

#include "framework/LevelRecord.h"
#include "framework/StageRecord.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Engine;
class FileManager;
class FileTextual;
class MessageManager;
} // namespace OrvaneEngine

namespace GameFramework
{

// The game's stages and levels and the way through them, read once from the
// text files of "data\levels\". A missing or damaged list is fatal.
class LevelManagerBase
{
public:
    // A level's place in the game, 0-based.
    struct Position
    {
        std::uint32_t stage = 0;
        std::uint32_t level = 0;

        friend bool operator==(const Position&, const Position&) = default;
    };

    // The bounds a list must keep.
    static constexpr std::uint32_t MaxStages = 100;
    static constexpr std::uint32_t MaxLevelsPerStage = 1000;

    // No stages; the derived constructor calls Load.
    explicit LevelManagerBase(OrvaneEngine::Engine* engine);
    virtual ~LevelManagerBase();
    LevelManagerBase(const LevelManagerBase&) = delete;
    LevelManagerBase& operator=(const LevelManagerBase&) = delete;

    // Extra resource lists for a level; none in the base.
    virtual void GetLevelResourceFiles(Position position, std::vector<std::string>& files) const;
    // Every file error ends in MessageManager::Fatal.
    virtual void Load();
    // Below "data\levels\".
    virtual std::string GetLevelsInfoPath(std::uint32_t stage) const;
    virtual std::unique_ptr<StageRecord> CreateStageRecord() = 0;
    virtual std::unique_ptr<LevelRecord> CreateLevelRecord() = 0;
    virtual void ReadStage(StageRecord* record, OrvaneEngine::FileTextual* reader);
    virtual void ReadLevel(LevelRecord* record, OrvaneEngine::FileTextual* reader);

    // The last level of the game is its own successor.
    Position GetNextLevel(std::uint32_t stage, std::uint32_t level) const;
    bool IsLastLevel(std::uint32_t stage, std::uint32_t level) const;

    OrvaneEngine::Engine* GetEngine() const { return engine; }

    // Read directly by the screens and the application: stages[i], levels[i][j].
    std::vector<std::unique_ptr<StageRecord>> stages;
    std::vector<std::vector<std::unique_ptr<LevelRecord>>> levels;

protected:
    // The next word or number of the file being read; FileError naming the
    // file when none is left.
    std::string ReadWord(OrvaneEngine::FileTextual* reader) const;
    std::int32_t ReadInt(OrvaneEngine::FileTextual* reader) const;
    // A count of 1 to most; FileError naming the file otherwise.
    std::uint32_t ReadCount(OrvaneEngine::FileTextual* reader, std::uint32_t most, const std::string& what) const;

    OrvaneEngine::Engine* engine;
    OrvaneEngine::MessageManager* messageManager;
    OrvaneEngine::FileManager* fileManager;
    // The path of the file being read, for the error texts.
    std::string readingPath;
};

} // namespace GameFramework
