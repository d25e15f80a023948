#include "framework/Registry.h"

#include "platform/win32/testing/RegistryHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace
{

using corvellan::test::ScopedEnvironment;
using corvellan::test::TempFolder;
using corvellan::test::WriteFileBytes;

constexpr const char* kKey = "SOFTWARE\\Brackwell Games\\Corvellan";
constexpr std::uint32_t kUser = 2;
constexpr std::uint32_t kMachine = 3;

class RegistryReadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        win32::testing::ResetRegistry();
        win32::testing::SetRegistryMachineRoot(machine.Path());
    }
    void TearDown() override { win32::testing::ResetRegistry(); }

    void WriteKey(const TempFolder& root, const std::string& lines)
    {
        ASSERT_TRUE(WriteFileBytes(root.Join("Brackwell Games/Corvellan/registry.ini"), lines));
    }

    TempFolder machine{"corvellan-registry-machine"};
    TempFolder user{"corvellan-registry-user"};
    ScopedEnvironment config{"XDG_CONFIG_HOME", user.Path()};
};

TEST_F(RegistryReadTest, RootIndicesMapToTheFiveRoots)
{
    const std::pair<std::uint32_t, win32::HKEY> cases[] = {
        {0, win32::HKEY_CLASSES_ROOT}, {1, win32::HKEY_CURRENT_CONFIG}, {2, win32::HKEY_CURRENT_USER},
        {3, win32::HKEY_LOCAL_MACHINE}, {4, win32::HKEY_USERS},         {5, win32::HKEY_CURRENT_USER},
        {0xFFFFFFFFu, win32::HKEY_CURRENT_USER},
    };
    for (const auto& [index, root] : cases)
        EXPECT_EQ(GameFramework::RegistryRootKey(index), root) << index;
}

TEST_F(RegistryReadTest, ReadsOnlyTextValuesThatFitAndClosesEveryKeyItOpened)
{
    WriteKey(machine, "Version=205\nLanguage=ru\n");
    WriteKey(user, "Version=9\nInstallPath=/opt/x\n");
    std::string zeroInside(4096, 'z');
    zeroInside[10] = '\0';
    win32::testing::InjectRegistryValue(win32::HKEY_CURRENT_USER, kKey, "Dword", win32::REG_DWORD,
                                        std::string("\x01\x00\x00\x00", 4));
    win32::testing::InjectRegistryValue(win32::HKEY_CURRENT_USER, kKey, "Full", win32::REG_SZ, std::string(4096, 'x'));
    win32::testing::InjectRegistryValue(win32::HKEY_CURRENT_USER, kKey, "ZeroInside", win32::REG_SZ, zeroInside);
    win32::testing::InjectRegistryValue(win32::HKEY_CURRENT_USER, kKey, "TwoTexts", win32::REG_SZ,
                                        std::string("ab\0cd\0", 6));
    win32::testing::InjectRegistryValue(win32::HKEY_CURRENT_USER, kKey, "Short", win32::REG_SZ, "abc");
    win32::testing::InjectRegistryValue(win32::HKEY_CURRENT_USER, kKey, "Long", win32::REG_SZ, std::string(5000, 'y'));
    win32::testing::InjectRegistryValue(win32::HKEY_CURRENT_USER, kKey, "Binary", win32::REG_BINARY, "abc");

    struct Case
    {
        std::uint32_t root;
        const char* keyPath;
        const char* name;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {kMachine, kKey, "Version", "205"},
        {kUser, kKey, "version", "9"},
        {7, kKey, "InstallPath", "/opt/x"},
        {kMachine, kKey, "InstallPath", std::nullopt},
        {kUser, "SOFTWARE\\Brackwell Games\\Other", "Version", std::nullopt},
        {kUser, kKey, "Dword", std::nullopt},
        {kUser, kKey, "Binary", std::nullopt},
        // A value stored without a zero ends where the returned bytes end.
        {kUser, kKey, "Full", std::string(4096, 'x')},
        {kUser, kKey, "Short", "abc"},
        {kUser, kKey, "ZeroInside", std::string(10, 'z')},
        {kUser, kKey, "TwoTexts", "ab"},
        {kUser, kKey, "Long", std::nullopt},
        {0, kKey, "Version", std::nullopt},
        {1, kKey, "Version", std::nullopt},
        {4, kKey, "Version", std::nullopt},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.name) + " under root " + std::to_string(c.root));
        std::string text = "untouched";
        const bool found = GameFramework::RegistryReadString(c.root, c.keyPath, c.name, text);
        EXPECT_EQ(found, c.text.has_value());
        EXPECT_EQ(text, c.text.value_or("untouched"));
    }

    // A query that fails still closes its key.
    win32::testing::FailRegistryCall(win32::testing::RegistryCall::Query, 5);
    std::string text;
    EXPECT_FALSE(GameFramework::RegistryReadString(kUser, kKey, "Version", text));

    const win32::testing::RegistryCounts counts = win32::testing::GetRegistryCounts();
    EXPECT_EQ(counts.opens, 12);
    EXPECT_EQ(counts.closes, counts.opens);
}

TEST_F(RegistryReadTest, TheMachineValueWinsOverTheUsers)
{
    struct Case
    {
        std::optional<std::string> machineLines;
        std::optional<std::string> userLines;
        bool machineDword;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {"Language=fr\n", "Language=ru\n", false, "fr"},
        {std::nullopt, "Language=ru\n", false, "ru"},
        {"Language=fr\n", std::nullopt, false, "fr"},
        {"Other=fr\n", "Language=ru\n", false, "ru"},
        // A value of another type counts as absent: the user's is read.
        {std::nullopt, "Language=ru\n", true, "ru"},
        {std::nullopt, std::nullopt, true, std::nullopt},
        {std::nullopt, std::nullopt, false, std::nullopt},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.machineLines.value_or("-") + " / " + c.userLines.value_or("-"));
        TempFolder machineRoot{"corvellan-registry-machine"};
        TempFolder userRoot{"corvellan-registry-user"};
        ScopedEnvironment userConfig{"XDG_CONFIG_HOME", userRoot.Path()};
        win32::testing::ResetRegistry();
        win32::testing::SetRegistryMachineRoot(machineRoot.Path());
        if (c.machineLines)
            WriteKey(machineRoot, *c.machineLines);
        if (c.userLines)
            WriteKey(userRoot, *c.userLines);
        if (c.machineDword)
            win32::testing::InjectRegistryValue(win32::HKEY_LOCAL_MACHINE, kKey, "Language", win32::REG_DWORD,
                                                std::string(4, '\0'));

        std::string text = "untouched";
        EXPECT_EQ(GameFramework::RegistryReadMachineOrUserString(kKey, "Language", text), c.text.has_value());
        EXPECT_EQ(text, c.text.value_or("untouched"));
        const win32::testing::RegistryCounts counts = win32::testing::GetRegistryCounts();
        EXPECT_EQ(counts.closes, counts.opens);
    }
}

} // namespace
