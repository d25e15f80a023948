#include "framework/ProfileBase.h"

#include "engine/core/Engine.h"
#include "framework/VersionedFile.h"

namespace GameFramework
{

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
}

void ProfileBase::Create(const std::u16string& nameIn)
{
    name = nameIn;
}

void ProfileBase::Write(OrvaneEngine::FileBinary* /*file*/) {}
void ProfileBase::Read(OrvaneEngine::FileBinary* /*file*/) {}
void ProfileBase::WriteExtra(OrvaneEngine::FileBinary* /*file*/) {}
void ProfileBase::ReadExtra(OrvaneEngine::FileBinary* /*file*/) {}
void ProfileBase::Save() {}

void ProfileBase::Rename(const std::u16string& newName)
{
    name = newName;
}

void ProfileBase::DeleteFiles() {}

std::string ProfileBase::GetProfilesFolderPath(const std::string& fileNameIn) const
{
    return folder + "\\profiles\\" + fileNameIn;
}

LevelResult* ProfileBase::FindLevelResult(std::uint32_t /*stage*/, std::uint32_t /*level*/) const
{
    return nullptr;
}

void ProfileBase::AddLevelResult(std::unique_ptr<LevelResult> result)
{
    results.push_back(std::move(result));
}

void ProfileBase::UpdateReachedLevel(std::uint32_t stage, std::uint32_t level, bool last)
{
    reachedStage = stage;
    reachedLevel = level;
    reachedEnd = last;
}

} // namespace GameFramework
