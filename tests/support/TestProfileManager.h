#pragma once

#include "framework/ProfileManagerBase.h"

#include <cstdint>
#include <memory>
#include <string>

namespace corvellan::test
{

// A profile list shaped like the game's: "KWPMF" 100, of TestProfile
// objects, loaded when made.
class TestProfileManager : public GameFramework::ProfileManagerBase
{
public:
    static constexpr const char* Magic = "KWPMF";
    static constexpr std::uint32_t Version = 100;

    TestProfileManager(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                       const std::string& folder);

    std::unique_ptr<GameFramework::ProfileBase> LoadProfileFile(const std::string& fileName) override;
    std::unique_ptr<GameFramework::ProfileBase> NewProfileObject(const std::u16string& name) override;
};

} // namespace corvellan::test
