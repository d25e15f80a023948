#include "game/Profile.h"

#include "engine/core/FileBinary.h"

namespace Mirabel
{

Profile::Profile(OrvaneEngine::Engine* engine, const std::string& fileName, const std::string& folder)
    : ProfileBase(engine, fileName, folder, Magic, Version)
{
    Load(fileName);
}

Profile::Profile(OrvaneEngine::Engine* engine, const std::u16string& nameIn, const std::string& folder)
    : ProfileBase(engine, nameIn, folder, Magic, Version)
{
    Validate();
    Create(nameIn);
}

void Profile::Validate()
{
    tutorialFlag = 1;
    relaxOfferFlag = 1;
    introductionFlag = 1;
    gameCompleteHintFlag = 1;
}

void Profile::Write(OrvaneEngine::FileBinary* output)
{
    ProfileBase::Write(output);
    const std::uint8_t flags[] = {tutorialFlag, relaxOfferFlag, introductionFlag, gameCompleteHintFlag};
    output->Write(flags, sizeof(flags));
}

void Profile::Read(OrvaneEngine::FileBinary* input)
{
    ProfileBase::Read(input);
    // A record without its flags ends here with the reader's FileError.
    std::uint8_t flags[4] = {};
    input->Read(flags, sizeof(flags));
    tutorialFlag = flags[0];
    relaxOfferFlag = flags[1];
    introductionFlag = flags[2];
    gameCompleteHintFlag = flags[3];
}

} // namespace Mirabel
