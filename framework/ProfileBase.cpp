#include "framework/ProfileBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/core/Random.h"
#include "engine/core/StringFunctions.h"
#include "framework/FileFields.h"
#include "framework/VersionedFile.h"
#include "framework/VersionedFileSaver.h"

#include <algorithm>

namespace GameFramework
{

namespace
{

constexpr int FileNameTries = 1024;
// After this many names found taken, the tries leave the specified scheme.
constexpr int SpecifiedTries = 512;
// Letters and digits before ".prf".
constexpr std::size_t FileNameLength = 16;
// Names with this many letters or more are used as they are, without digits.
constexpr std::size_t LettersAlone = 15;
// The letters kept in front of the digits once the specified names ran out.
constexpr std::size_t FallbackLetters = 10;

std::string FileNameLetters(const std::u16string& name)
{
    std::string letters = OrvaneEngine::ToLower(OrvaneEngine::WideToNarrow(name));
    std::erase_if(letters, [](char c) { return c < 'a' || c > 'z'; });
    return letters;
}

std::string WithRandomDigits(std::string text)
{
    text.push_back('_');
    while (text.size() < FileNameLength)
        text.push_back(static_cast<char>(OrvaneEngine::RandomInt('0', '9')));
    return text;
}

} // namespace

ProfileBase::ProfileBase(OrvaneEngine::Engine* engineIn, const std::string& /*fileName*/, const std::string& folderIn,
                         std::string_view magic, std::uint32_t version)
    : settings(std::make_unique<Settings>()), engine(engineIn), messageManager(engineIn->messageManager.get()),
      fileManager(engineIn->fileManager.get()), file(std::make_unique<VersionedFile>(engineIn, magic, version)),
      folder(folderIn)
{
}

ProfileBase::ProfileBase(OrvaneEngine::Engine* engineIn, const std::u16string& /*name*/, const std::string& folderIn,
                         std::string_view magic, std::uint32_t version)
    : settings(std::make_unique<Settings>()), engine(engineIn), messageManager(engineIn->messageManager.get()),
      fileManager(engineIn->fileManager.get()), file(std::make_unique<VersionedFile>(engineIn, magic, version)),
      folder(folderIn)
{
}

ProfileBase::~ProfileBase() = default;

void ProfileBase::ResetGame()
{
    gameCounter = 3;
    score = 0;
}

void ProfileBase::Load(const std::string& fileNameIn)
{
    fileName = fileNameIn;
    path = GetProfilesFolderPath(fileName);
    OrvaneEngine::ChangeExtension(path, "");
    try
    {
        file->Open(GetProfilesFolderPath(fileName), 0, 0, nullptr);
        Read(file->GetFile());
        file->Close();
    }
    catch (const OrvaneEngine::FileError& error)
    {
        file->Close();
        messageManager->Error(error.GetText());
        results.clear();
        totalTime = 0.0f;
        throw OrvaneEngine::Error("");
    }
}

void ProfileBase::Create(const std::u16string& nameIn)
{
    name = OrvaneEngine::TrimW(nameIn);
    settings->soundVolume = 1.0f;
    settings->musicVolume = 1.0f;
    mode = 0;
    gameInProgress = false;
    nextStage = 0;
    nextLevel = 0;
    reachedStage = 0;
    reachedLevel = 0;
    reachedEnd = false;
    totalTime = 0.0f;
    ResetGame();

    // Long names leave the specified scheme no variation, and short ones
    // little, so a taken name moves on to ten letters and many digits rather
    // than ever writing over another profile's file.
    const std::string letters = FileNameLetters(name);
    bool fallback = false;
    fileName.clear();
    for (int attempt = 0; attempt < FileNameTries && fileName.empty(); ++attempt)
    {
        fallback = fallback || attempt >= SpecifiedTries;
        std::string candidate = fallback                          ? WithRandomDigits(letters.substr(0, FallbackLetters))
                                : letters.size() < LettersAlone ? WithRandomDigits(letters)
                                                                  : letters;
        candidate += ".prf";
        if (!fileManager->Exists(GetProfilesFolderPath(candidate)))
            fileName = candidate;
        else if (letters.size() >= LettersAlone)
            fallback = true;
    }
    if (fileName.empty())
    {
        path.clear();
        messageManager->Error("No free file name for the profile \"" + OrvaneEngine::WideToNarrow(name) +
                              "\"; it is kept in memory only");
        return;
    }
    path = GetProfilesFolderPath(fileName);
    OrvaneEngine::ChangeExtension(path, "");
    Save();
}

void ProfileBase::Save()
{
    // A profile without a file name of its own must not take another's.
    if (fileName.empty())
        return;
    VersionedFileSaver::Save(*file, GetProfilesFolderPath(fileName), messageManager,
                             [this](OrvaneEngine::FileBinary* output) { Write(output); });
}

void ProfileBase::Write(OrvaneEngine::FileBinary* output)
{
    output->WriteWideString(name);
    for (const std::uint32_t value : {mode, gameCounter, score, nextStage, nextLevel, reachedStage, reachedLevel})
        FileFields::WriteUInt32(output, value);
    output->WriteByte(reachedEnd ? 1 : 0);
    FileFields::WriteUInt32(output, static_cast<std::uint32_t>(results.size()));
    for (const auto& result : results)
    {
        FileFields::WriteUInt32(output, result->mode);
        FileFields::WriteUInt32(output, result->stage);
        FileFields::WriteUInt32(output, result->level);
        FileFields::WriteFloat(output, result->time);
    }
    output->WriteByte(gameInProgress ? 1 : 0);
    WriteExtra(output);
}

void ProfileBase::Read(OrvaneEngine::FileBinary* input)
{
    input->ReadWideString(name);
    for (std::uint32_t* value : {&mode, &gameCounter, &score, &nextStage, &nextLevel, &reachedStage, &reachedLevel})
        *value = FileFields::ReadUInt32(input);
    reachedEnd = FileFields::ReadByte(input) != 0;
    // Nothing is reserved from the count: a damaged one meets the end of
    // the bytes after a few records.
    const std::uint32_t count = FileFields::ReadUInt32(input);
    for (std::uint32_t index = 0; index < count; ++index)
    {
        auto result = std::make_unique<LevelResult>();
        result->mode = FileFields::ReadUInt32(input);
        result->stage = FileFields::ReadUInt32(input);
        result->level = FileFields::ReadUInt32(input);
        result->time = FileFields::ReadFloat(input);
        totalTime += result->time;
        results.push_back(std::move(result));
    }
    gameInProgress = FileFields::ReadByte(input) != 0;
    ReadExtra(input);
}

void ProfileBase::WriteExtra(OrvaneEngine::FileBinary* output)
{
    FileFields::WriteFloat(output, settings->musicVolume);
    FileFields::WriteFloat(output, settings->soundVolume);
}

void ProfileBase::ReadExtra(OrvaneEngine::FileBinary* input)
{
    settings->musicVolume = FileFields::ReadFloat(input);
    settings->soundVolume = FileFields::ReadFloat(input);
}

void ProfileBase::Rename(const std::u16string& newName)
{
    name = OrvaneEngine::TrimW(newName);
    Save();
}

void ProfileBase::DeleteFiles()
{
    if (fileName.empty())
        return;
    OrvaneEngine::FileManager::DeletePath(GetProfilesFolderPath(fileName));
    // A file named ".prf" has no folder of its own: its path is the folder
    // of every profile.
    std::string stem = fileName;
    OrvaneEngine::ChangeExtension(stem, "");
    if (!stem.empty())
        OrvaneEngine::FileManager::DeletePath(path);
}

std::string ProfileBase::GetProfilesFolderPath(const std::string& fileNameIn) const
{
    return folder + "\\profiles\\" + fileNameIn;
}

LevelResult* ProfileBase::FindLevelResult(std::uint32_t stage, std::uint32_t level) const
{
    for (const auto& result : results)
    {
        if (result->mode == mode && result->stage == stage && result->level == level)
            return result.get();
    }
    return nullptr;
}

void ProfileBase::AddLevelResult(std::unique_ptr<LevelResult> result)
{
    if (!result)
        return;
    totalTime += result->time;
    auto same = std::find_if(results.begin(), results.end(), [&](const auto& stored) {
        return stored->mode == result->mode && stored->stage == result->stage && stored->level == result->level;
    });
    if (same != results.end())
        (*same)->time = std::min((*same)->time, result->time);
    else
        results.push_back(std::move(result));
    Save();
}

void ProfileBase::UpdateReachedLevel(std::uint32_t stage, std::uint32_t level, bool last)
{
    const bool later = stage > reachedStage || (stage == reachedStage && level > reachedLevel);
    const bool same = stage == reachedStage && level == reachedLevel;
    if (!later && !(same && last))
        return;
    reachedStage = stage;
    reachedLevel = level;
    reachedEnd = last;
    Save();
}

} // namespace GameFramework
