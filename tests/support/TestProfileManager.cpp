#include "tests/support/TestProfileManager.h"

#include "tests/support/TestProfile.h"

namespace corvellan::test
{

TestProfileManager::TestProfileManager(OrvaneEngine::Engine* engineIn,
                                       GameFramework::SoundController* soundControllerIn,
                                       const std::string& folderIn)
    : ProfileManagerBase(engineIn, soundControllerIn, folderIn, Magic, Version)
{
    LoadProfiles();
}

std::unique_ptr<GameFramework::ProfileBase> TestProfileManager::LoadProfileFile(const std::string& fileName)
{
    return std::make_unique<TestProfile>(engine, fileName, folder);
}

std::unique_ptr<GameFramework::ProfileBase> TestProfileManager::NewProfileObject(const std::u16string& name)
{
    return std::make_unique<TestProfile>(engine, name, folder);
}

} // namespace corvellan::test
