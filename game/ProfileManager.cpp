#include "game/ProfileManager.h"

#include "game/Profile.h"

namespace Mirabel
{

ProfileManager::ProfileManager(OrvaneEngine::Engine* engineIn, GameFramework::SoundController* soundControllerIn,
                               const std::string& folderIn)
    : ProfileManagerBase(engineIn, soundControllerIn, folderIn, Magic, Version)
{
    LoadProfiles();
}

std::unique_ptr<GameFramework::ProfileBase> ProfileManager::LoadProfileFile(const std::string& fileName)
{
    return std::make_unique<Profile>(engine, fileName, folder);
}

std::unique_ptr<GameFramework::ProfileBase> ProfileManager::NewProfileObject(const std::u16string& name)
{
    return std::make_unique<Profile>(engine, name, folder);
}

} // namespace Mirabel
