#pragma once

#include "framework/LevelResult.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace OrvaneEngine
{
class Engine;
class FileBinary;
class FileManager;
class MessageManager;
} // namespace OrvaneEngine

namespace GameFramework
{

class VersionedFile;

// One player: the game in progress, the furthest level reached, the best time
// of every finished level per mode and the player's volumes, kept in one file
// of the "profiles" folder of the per-user folder. Every change is saved at
// once; a save that fails is logged and leaves the data in memory as they are.
class ProfileBase
{
public:
    struct Settings
    {
        float soundVolume = 0.0f;
        float musicVolume = 0.0f;
    };

    // For a profile stored as fileName; the derived class then calls Load.
    ProfileBase(OrvaneEngine::Engine* engine, const std::string& fileName, const std::string& folder,
                std::string_view magic, std::uint32_t version);
    // For a new profile to be named name; the derived class then calls Create.
    ProfileBase(OrvaneEngine::Engine* engine, const std::u16string& name, const std::string& folder,
                std::string_view magic, std::uint32_t version);
    virtual ~ProfileBase();
    ProfileBase(const ProfileBase&) = delete;
    ProfileBase& operator=(const ProfileBase&) = delete;

    // A new game: counter 3, score 0.
    virtual void ResetGame();
    // Logs the file's error and throws Error with an empty text when the file
    // cannot be read; the results read so far are dropped then.
    virtual void Load(const std::string& fileName);
    // Gives the profile a file name no other profile has, then saves.
    virtual void Create(const std::u16string& name);
    virtual void Write(OrvaneEngine::FileBinary* file);
    virtual void Read(OrvaneEngine::FileBinary* file);
    virtual void WriteExtra(OrvaneEngine::FileBinary* file);
    virtual void ReadExtra(OrvaneEngine::FileBinary* file);

    // Never throws; a failure is logged and the previous file stays whole.
    void Save();
    // The file name stays.
    void Rename(const std::u16string& newName);
    void DeleteFiles();
    std::string GetProfilesFolderPath(const std::string& fileName) const;
    // Of the profile's current mode; null when the level has no result.
    LevelResult* FindLevelResult(std::uint32_t stage, std::uint32_t level) const;
    // Keeps the better time of a level already played; saves.
    void AddLevelResult(std::unique_ptr<LevelResult> result);
    // Moves the reached position forward only; saves when it changed.
    void UpdateReachedLevel(std::uint32_t stage, std::uint32_t level, bool last);

    OrvaneEngine::Engine* GetEngine() const { return engine; }
    const std::string& GetFolder() const { return folder; }
    const std::string& GetFileName() const { return fileName; }
    // The file's path without its extension: the profile's own folder.
    const std::string& GetPath() const { return path; }
    std::uint32_t GetReachedStage() const { return reachedStage; }
    std::uint32_t GetReachedLevel() const { return reachedLevel; }
    bool GetReachedEnd() const { return reachedEnd; }
    float GetTotalTime() const { return totalTime; }

    // Read and changed directly by the screens and the application's handlers.
    std::u16string name;
    std::unique_ptr<Settings> settings;
    // 0 arcade, 1 relax.
    std::uint32_t mode = 0;
    std::uint32_t gameCounter = 0;
    std::uint32_t score = 0;
    std::uint32_t nextStage = 0;
    std::uint32_t nextLevel = 0;
    // In the order first recorded.
    std::vector<std::unique_ptr<LevelResult>> results;
    bool gameInProgress = false;

protected:
    OrvaneEngine::Engine* engine;
    OrvaneEngine::MessageManager* messageManager;
    OrvaneEngine::FileManager* fileManager;
    std::unique_ptr<VersionedFile> file;
    std::string folder;
    std::string fileName;
    std::string path;
    std::uint32_t reachedStage = 0;
    std::uint32_t reachedLevel = 0;
    bool reachedEnd = false;
    float totalTime = 0.0f;
};

} // namespace GameFramework
