#include "framework/ProfileManagerBase.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/StringFunctions.h"
#include "framework/FileFields.h"
#include "framework/ProfileBase.h"
#include "framework/SoundController.h"
#include "framework/VersionedFile.h"
#include "framework/VersionedFileSaver.h"

#include <algorithm>

namespace GameFramework
{

namespace
{

constexpr const char* ListFileName = "profiles.pmf";

} // namespace

ProfileManagerBase::ProfileManagerBase(OrvaneEngine::Engine* engineIn, SoundController* soundControllerIn,
                                       const std::string& folderIn, std::string_view magic, std::uint32_t version)
    : engine(engineIn), messageManager(engineIn->messageManager.get()), fileManager(engineIn->fileManager.get()),
      config(engineIn->config.get()), soundController(soundControllerIn),
      file(std::make_unique<VersionedFile>(engineIn, magic, version)), folder(folderIn)
{
}

ProfileManagerBase::~ProfileManagerBase() = default;

void ProfileManagerBase::ApplyCurrentProfile()
{
    if (currentProfile == nullptr || soundController == nullptr)
        return;
    soundController->SetMusicVolume(currentProfile->settings->musicVolume);
    soundController->SetSoundVolume(currentProfile->settings->soundVolume);
}

void ProfileManagerBase::LoadProfiles()
{
    std::vector<std::string> found;
    fileManager->FindFiles(folder + "\\profiles", "*.prf", found);
    for (const std::string& entry : found)
    {
        const std::size_t separator = entry.find_last_of("\\/");
        const std::string fileName = separator == std::string::npos ? entry : entry.substr(separator + 1);
        try
        {
            profiles.push_back(LoadProfileFile(fileName));
        }
        catch (const OrvaneEngine::Error&)
        {
            // The profile logged why; its file stays on disk.
        }
    }
    SortProfiles();

    try
    {
        file->Open(folder + "\\" + ListFileName, 0, 0, nullptr);
        Read(file->GetFile());
        file->Close();
    }
    catch (const OrvaneEngine::FileError&)
    {
        // Read named the current profile before the records failed.
        file->Close();
        currentProfile = nullptr;
        entries.clear();
    }
}

void ProfileManagerBase::Write(OrvaneEngine::FileBinary* output)
{
    output->WriteWideString(currentProfile != nullptr ? currentProfile->name : std::u16string());
    FileFields::WriteUInt32(output, static_cast<std::uint32_t>(entries.size()));
    for (const auto& entry : entries)
    {
        FileFields::WriteUInt32(output, entry->number1);
        FileFields::WriteUInt32(output, entry->number2);
        output->WriteWideString(entry->text);
        FileFields::WriteFloat(output, entry->value);
    }
}

void ProfileManagerBase::Read(OrvaneEngine::FileBinary* input)
{
    std::u16string currentName;
    input->ReadWideString(currentName);
    if (!currentName.empty())
        SetCurrentProfile(FindProfile(currentName), false);
    // Nothing is reserved from the count: a damaged one meets the end of
    // the bytes after a few records.
    const std::uint32_t count = FileFields::ReadUInt32(input);
    for (std::uint32_t index = 0; index < count; ++index)
    {
        auto entry = std::make_unique<ProfileEntry>();
        entry->number1 = FileFields::ReadUInt32(input);
        entry->number2 = FileFields::ReadUInt32(input);
        input->ReadWideString(entry->text);
        entry->value = FileFields::ReadFloat(input);
        entries.push_back(std::move(entry));
    }
}

void ProfileManagerBase::InitNewProfile(ProfileBase* profile)
{
    if (soundController != nullptr)
    {
        profile->settings->musicVolume = soundController->GetMusicVolume();
        profile->settings->soundVolume = soundController->GetSoundVolume();
    }
    profile->Save();
}

ProfileBase* ProfileManagerBase::FindProfile(const std::u16string& name) const
{
    const std::u16string wanted = OrvaneEngine::ToLowerW(name);
    for (const auto& profile : profiles)
    {
        if (OrvaneEngine::ToLowerW(profile->name) == wanted)
            return profile.get();
    }
    return nullptr;
}

ProfileBase* ProfileManagerBase::CreateProfile(const std::u16string& name)
{
    if (ProfileBase* existing = FindProfile(name))
        return existing;
    std::unique_ptr<ProfileBase> created = NewProfileObject(name);
    ProfileBase* profile = created.get();
    InitNewProfile(profile);
    profiles.push_back(std::move(created));
    SortProfiles();
    Save();
    return profile;
}

void ProfileManagerBase::RenameProfile(const std::u16string& oldName, const std::u16string& newName)
{
    if (FindProfile(newName) != nullptr)
        return;
    ProfileBase* profile = FindProfile(oldName);
    if (profile == nullptr)
        return;
    profile->Rename(newName);
    SortProfiles();
    Save();
}

void ProfileManagerBase::DeleteProfile(const std::u16string& name)
{
    ProfileBase* profile = FindProfile(name);
    if (profile == nullptr)
        return;
    profile->DeleteFiles();
    auto position = std::find_if(profiles.begin(), profiles.end(),
                                 [profile](const auto& stored) { return stored.get() == profile; });
    std::unique_ptr<ProfileBase> removed = std::move(*position);
    profiles.erase(position);
    if (currentProfile == profile)
        SetCurrentProfile(profiles.empty() ? nullptr : profiles.front().get(), false);
    removed.reset();
    Save();
}

void ProfileManagerBase::SetCurrentProfile(ProfileBase* profile, bool save)
{
    currentProfile = profile;
    if (save)
        Save();
}

void ProfileManagerBase::SortProfiles()
{
    std::stable_sort(profiles.begin(), profiles.end(), CompareProfileNames);
}

bool ProfileManagerBase::CompareProfileNames(const std::unique_ptr<ProfileBase>& first,
                                             const std::unique_ptr<ProfileBase>& second)
{
    return OrvaneEngine::ToLowerW(first->name) < OrvaneEngine::ToLowerW(second->name);
}

void ProfileManagerBase::Save()
{
    VersionedFileSaver::Save(*file, folder + "\\" + ListFileName, messageManager,
                             [this](OrvaneEngine::FileBinary* output) { Write(output); });
}

} // namespace GameFramework
