#include "framework/ProfileManagerBase.h"

#include "engine/core/Engine.h"
#include "framework/ProfileBase.h"
#include "framework/VersionedFile.h"

namespace GameFramework
{

ProfileManagerBase::ProfileManagerBase(OrvaneEngine::Engine* engineIn, SoundController* soundControllerIn,
                                       const std::string& folderIn, std::string_view magic, std::uint32_t version)
    : engine(engineIn), messageManager(engineIn->messageManager.get()), fileManager(engineIn->fileManager.get()),
      config(engineIn->config.get()), soundController(soundControllerIn),
      file(std::make_unique<VersionedFile>(engineIn, magic, version)), folder(folderIn)
{
}

ProfileManagerBase::~ProfileManagerBase() = default;

void ProfileManagerBase::ApplyCurrentProfile() {}
void ProfileManagerBase::LoadProfiles() {}
void ProfileManagerBase::Write(OrvaneEngine::FileBinary* /*file*/) {}
void ProfileManagerBase::Read(OrvaneEngine::FileBinary* /*file*/) {}
void ProfileManagerBase::InitNewProfile(ProfileBase* /*profile*/) {}

ProfileBase* ProfileManagerBase::FindProfile(const std::u16string& /*name*/) const
{
    return nullptr;
}

ProfileBase* ProfileManagerBase::CreateProfile(const std::u16string& name)
{
    profiles.push_back(NewProfileObject(name));
    return profiles.back().get();
}

void ProfileManagerBase::RenameProfile(const std::u16string& /*oldName*/, const std::u16string& /*newName*/) {}
void ProfileManagerBase::DeleteProfile(const std::u16string& /*name*/) {}

void ProfileManagerBase::SetCurrentProfile(ProfileBase* profile, bool /*save*/)
{
    currentProfile = profile;
}

void ProfileManagerBase::SortProfiles() {}

bool ProfileManagerBase::CompareProfileNames(const std::unique_ptr<ProfileBase>& first,
                                             const std::unique_ptr<ProfileBase>& second)
{
    return first->name < second->name;
}

void ProfileManagerBase::Save() {}

} // namespace GameFramework
