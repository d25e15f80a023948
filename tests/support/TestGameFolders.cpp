#include "tests/support/TestGameFolders.h"

#include "platform/win32/testing/MessageBoxHooks.h"
#include "platform/win32/testing/ModuleHooks.h"
#include "platform/win32/testing/RegistryHooks.h"
#include "platform/win32/testing/SleepHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestGameData.h"

#include <stdexcept>

namespace corvellan::test
{

namespace
{
constexpr const char* RegistryFile = "/Brackwell Games/Corvellan/registry.ini";
}

TestGameFolders::TestGameFolders(bool writeData)
    : dataHomeVariable("XDG_DATA_HOME", dataHome.Path()), configHomeVariable("XDG_CONFIG_HOME", configHome.Path())
{
    win32::testing::SetModuleFileName(program.Join("corvellan"));
    win32::testing::ResetRegistry();
    win32::testing::SetRegistryMachineRoot(machineRoot.Path());
    win32::testing::ResetMessageBoxes();
    win32::testing::SetSleepRecording(true);
    if (writeData && !TestGameData::Write(program.Path()))
        throw std::runtime_error("the test game's data could not be written");
}

TestGameFolders::~TestGameFolders()
{
    win32::testing::ResetSleep();
    win32::testing::ResetMessageBoxes();
    win32::testing::ResetRegistry();
    win32::testing::ResetModuleFileName();
}

bool TestGameFolders::WriteUserRegistry(const std::string& lines) const
{
    return WriteFileBytes(configHome.Path() + RegistryFile, lines);
}

bool TestGameFolders::WriteMachineRegistry(const std::string& lines) const
{
    return WriteFileBytes(machineRoot.Path() + RegistryFile, lines);
}

std::string TestGameFolders::UserFolder() const
{
    return dataHome.Join("Brackwell Games/Corvellan");
}

std::string TestGameFolders::LogText() const
{
    return ReadFileText(UserFolder() + "/Corvellan.html").value_or("");
}

} // namespace corvellan::test
