#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace OrvaneEngine
{
class Config;
class Engine;
class FileBinary;
class FileManager;
class MessageManager;
} // namespace OrvaneEngine

namespace GameFramework
{

class ProfileBase;
class SoundController;
class VersionedFile;

// Every profile of the per-user folder, sorted by name, and the one in use,
// which the list file names. Every change is saved at once; a save that fails
// is logged and leaves the data in memory as they are.
class ProfileManagerBase
{
public:
    // A record of the list file, carried through unchanged.
    struct ProfileEntry
    {
        std::uint32_t number1 = 0;
        std::uint32_t number2 = 0;
        std::u16string text;
        float value = 0.0f;
    };

    // No profile yet; the derived constructor calls LoadProfiles.
    ProfileManagerBase(OrvaneEngine::Engine* engine, SoundController* soundController, const std::string& folder,
                       std::string_view magic, std::uint32_t version);
    virtual ~ProfileManagerBase();
    ProfileManagerBase(const ProfileManagerBase&) = delete;
    ProfileManagerBase& operator=(const ProfileManagerBase&) = delete;

    // The current profile's volumes go to the sound controller.
    virtual void ApplyCurrentProfile();
    virtual void LoadProfiles();
    // A profile loaded from the file of that name in the "profiles" folder;
    // throws OrvaneEngine::Error when the file cannot be read.
    virtual std::unique_ptr<ProfileBase> LoadProfileFile(const std::string& fileName) = 0;
    // A new profile, created and saved.
    virtual std::unique_ptr<ProfileBase> NewProfileObject(const std::u16string& name) = 0;
    virtual void Write(OrvaneEngine::FileBinary* file);
    virtual void Read(OrvaneEngine::FileBinary* file);
    // The controller's volumes go to the profile, which is saved.
    virtual void InitNewProfile(ProfileBase* profile);

    // Names compare without regard to case; null when none matches.
    ProfileBase* FindProfile(const std::u16string& name) const;
    // The profile already named so, or a new one, which does not become current.
    ProfileBase* CreateProfile(const std::u16string& name);
    // Nothing when the new name is taken or no profile has the old one.
    void RenameProfile(const std::u16string& oldName, const std::u16string& newName);
    void DeleteProfile(const std::u16string& name);
    void SetCurrentProfile(ProfileBase* profile, bool save);
    void SortProfiles();
    static bool CompareProfileNames(const std::unique_ptr<ProfileBase>& first,
                                    const std::unique_ptr<ProfileBase>& second);
    // Never throws; a failure is logged and the previous file stays whole.
    void Save();

    const std::vector<std::unique_ptr<ProfileEntry>>& GetEntries() const { return entries; }
    const std::string& GetFolder() const { return folder; }
    OrvaneEngine::Engine* GetEngine() const { return engine; }

    // Read directly by the screens and the application's handlers.
    std::vector<std::unique_ptr<ProfileBase>> profiles;
    ProfileBase* currentProfile = nullptr;

protected:
    OrvaneEngine::Engine* engine;
    OrvaneEngine::MessageManager* messageManager;
    OrvaneEngine::FileManager* fileManager;
    OrvaneEngine::Config* config;
    SoundController* soundController;
    std::unique_ptr<VersionedFile> file;
    std::vector<std::unique_ptr<ProfileEntry>> entries;
    std::string folder;
};

} // namespace GameFramework
