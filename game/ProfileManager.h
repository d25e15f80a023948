#pragma once

#include "framework/ProfileManagerBase.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Mirabel
{

// The game's profiles, kept in "profiles.pmf" of the per-user folder.
class ProfileManager : public GameFramework::ProfileManagerBase
{
public:
    static constexpr const char* Magic = "KWPMF";
    static constexpr std::uint32_t Version = 100;

    // Loads every profile of the folder at once.
    ProfileManager(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                   const std::string& folder);

    std::unique_ptr<GameFramework::ProfileBase> LoadProfileFile(const std::string& fileName) override;
    std::unique_ptr<GameFramework::ProfileBase> NewProfileObject(const std::u16string& name) override;
};

} // namespace Mirabel
