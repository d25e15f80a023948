#include "framework/LevelManagerBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"

namespace GameFramework
{

namespace
{

constexpr const char* LevelsFolder = "data\\levels\\";

} // namespace

LevelManagerBase::LevelManagerBase(OrvaneEngine::Engine* engineIn)
    : engine(engineIn), messageManager(engineIn->messageManager.get()), fileManager(engineIn->fileManager.get())
{
}

LevelManagerBase::~LevelManagerBase() = default;

void LevelManagerBase::GetLevelResourceFiles(Position /*position*/, std::vector<std::string>& /*files*/) const {}

void LevelManagerBase::Load()
{
    // Every count is checked before anything is made from it: the screens
    // index these lists without looking, so an empty or runaway list must
    // stop the game here, with a text that names the file.
    std::uint32_t totalLevels = 0;
    try
    {
        readingPath = std::string(LevelsFolder) + "stages_info.ini";
        {
            std::unique_ptr<OrvaneEngine::FileTextual> reader = fileManager->OpenTextual(readingPath, false, 0);
            const std::uint32_t stageCount = ReadCount(reader.get(), MaxStages, "stages");
            stages.clear();
            levels.clear();
            for (std::uint32_t stage = 0; stage < stageCount; ++stage)
            {
                stages.push_back(CreateStageRecord());
                stages.back()->stageIndex = stage;
                ReadStage(stages.back().get(), reader.get());
            }
        }
        levels.resize(stages.size());
        for (std::uint32_t stage = 0; stage < stages.size(); ++stage)
        {
            readingPath = LevelsFolder + GetLevelsInfoPath(stage);
            std::unique_ptr<OrvaneEngine::FileTextual> reader = fileManager->OpenTextual(readingPath, false, 0);
            const std::uint32_t levelCount = ReadCount(reader.get(), MaxLevelsPerStage, "levels");
            stages[stage]->levelCount = levelCount;
            for (std::uint32_t level = 0; level < levelCount; ++level)
            {
                levels[stage].push_back(CreateLevelRecord());
                levels[stage].back()->stageIndex = stage;
                levels[stage].back()->levelIndex = level;
                ReadLevel(levels[stage].back().get(), reader.get());
            }
            totalLevels += levelCount;
        }
    }
    catch (const OrvaneEngine::FileError& error)
    {
        messageManager->Fatal(error.GetText());
    }
    messageManager->Message("\nLevel Manager: Found " + std::to_string(stages.size()) + " stages with " +
                            std::to_string(totalLevels) + " levels...");
}

std::string LevelManagerBase::GetLevelsInfoPath(std::uint32_t stage) const
{
    return "stage" + std::to_string(stage) + "\\levels_info.ini";
}

void LevelManagerBase::ReadStage(StageRecord* record, OrvaneEngine::FileTextual* /*reader*/)
{
    record->levelCount = 0;
}

void LevelManagerBase::ReadLevel(LevelRecord* /*record*/, OrvaneEngine::FileTextual* /*reader*/) {}

LevelManagerBase::Position LevelManagerBase::GetNextLevel(std::uint32_t stage, std::uint32_t level) const
{
    if (stage >= stages.size())
        return {stage, level};
    if (level + 1 < stages[stage]->levelCount)
        return {stage, level + 1};
    if (!IsLastLevel(stage, level) && stage + 1 < stages.size())
        return {stage + 1, 0};
    return {stage, level};
}

bool LevelManagerBase::IsLastLevel(std::uint32_t stage, std::uint32_t level) const
{
    return stage + 1 == stages.size() && level + 1 == stages[stage]->levelCount;
}

std::string LevelManagerBase::ReadWord(OrvaneEngine::FileTextual* reader) const
{
    std::string word;
    if (!reader->GetString(word, false))
        throw OrvaneEngine::FileError("Unexpected end of \"" + readingPath + "\" file");
    return word;
}

std::int32_t LevelManagerBase::ReadInt(OrvaneEngine::FileTextual* reader) const
{
    return OrvaneEngine::StringToInt(ReadWord(reader), 10);
}

std::uint32_t LevelManagerBase::ReadCount(OrvaneEngine::FileTextual* reader, std::uint32_t most,
                                          const std::string& what) const
{
    const std::int32_t count = ReadInt(reader);
    if (count < 1 || static_cast<std::uint32_t>(count) > most)
        throw OrvaneEngine::FileError("Incorrect number of " + what + " (" + std::to_string(count) + ") in \"" +
                                      readingPath + "\" file, expected 1 to " + std::to_string(most));
    return static_cast<std::uint32_t>(count);
}

} // namespace GameFramework
