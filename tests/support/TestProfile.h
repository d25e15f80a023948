#pragma once

#include "framework/ProfileBase.h"

#include <cstdint>
#include <string>

namespace corvellan::test
{

// A profile shaped like the game's: the framework's "MBPRF" record, then
// four show-once flags, each 1 in a new profile.
class TestProfile : public GameFramework::ProfileBase
{
public:
    static constexpr const char* Magic = "MBPRF";
    static constexpr std::uint32_t Version = 104;

    // Loads fileName; throws OrvaneEngine::Error when it cannot.
    TestProfile(OrvaneEngine::Engine* engine, const std::string& fileName, const std::string& folder);
    // Creates and saves a new profile.
    TestProfile(OrvaneEngine::Engine* engine, const std::u16string& name, const std::string& folder);

    void Write(OrvaneEngine::FileBinary* file) override;
    void Read(OrvaneEngine::FileBinary* file) override;

    std::uint8_t tutorial = 0;
    std::uint8_t relaxOffer = 0;
    std::uint8_t introduction = 0;
    std::uint8_t gameCompleteHint = 0;
};

} // namespace corvellan::test
