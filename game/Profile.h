#pragma once

#include "framework/ProfileBase.h"

#include <cstdint>
#include <string>

namespace Mirabel
{

// A player of the game: the framework's profile and four show-once flags,
// each set in a new profile and cleared once what it guards was shown.
class Profile : public GameFramework::ProfileBase
{
public:
    static constexpr const char* Magic = "MBPRF";
    static constexpr std::uint32_t Version = 104;

    // Loads fileName; throws OrvaneEngine::Error when it cannot.
    Profile(OrvaneEngine::Engine* engine, const std::string& fileName, const std::string& folder);
    // Creates and saves a new profile named name.
    Profile(OrvaneEngine::Engine* engine, const std::u16string& name, const std::string& folder);

    // The framework's record, then the four flags.
    void Write(OrvaneEngine::FileBinary* file) override;
    void Read(OrvaneEngine::FileBinary* file) override;

    // Every flag set, as a new profile starts.
    void Validate();

    // The tutorial comes before every new game.
    std::uint8_t tutorialFlag = 0;
    // Relax mode is offered after the first arcade game over.
    std::uint8_t relaxOfferFlag = 0;
    // The main menu's start leads to the introduction.
    std::uint8_t introductionFlag = 0;
    // The game-complete screen gives its hint; the background keeps its unicorn hidden.
    std::uint8_t gameCompleteHintFlag = 0;
};

} // namespace Mirabel
