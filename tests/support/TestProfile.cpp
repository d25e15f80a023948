#include "tests/support/TestProfile.h"

#include "engine/core/FileBinary.h"

namespace corvellan::test
{

TestProfile::TestProfile(OrvaneEngine::Engine* engine, const std::string& fileName, const std::string& folder)
    : ProfileBase(engine, fileName, folder, Magic, Version)
{
    Load(fileName);
}

TestProfile::TestProfile(OrvaneEngine::Engine* engine, const std::u16string& nameIn, const std::string& folder)
    : ProfileBase(engine, nameIn, folder, Magic, Version), tutorial(1), relaxOffer(1), introduction(1),
      gameCompleteHint(1)
{
    Create(nameIn);
}

void TestProfile::Write(OrvaneEngine::FileBinary* output)
{
    ProfileBase::Write(output);
    const std::uint8_t flags[] = {tutorial, relaxOffer, introduction, gameCompleteHint};
    output->Write(flags, sizeof(flags));
}

void TestProfile::Read(OrvaneEngine::FileBinary* input)
{
    ProfileBase::Read(input);
    std::uint8_t flags[4] = {};
    input->Read(flags, sizeof(flags));
    tutorial = flags[0];
    relaxOffer = flags[1];
    introduction = flags[2];
    gameCompleteHint = flags[3];
}

} // namespace corvellan::test
