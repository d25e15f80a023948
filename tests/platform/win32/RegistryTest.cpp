#include "platform/win32/Registry.h"

#include "platform/win32/testing/RegistryHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace
{

using corvellan::test::ScopedEnvironment;
using corvellan::test::TempFolder;
using corvellan::test::WriteFileBytes;

constexpr const char* kKey = "SOFTWARE\\Brackwell Games\\Corvellan";

// The registry with a machine root and a user config root of its own.
class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        win32::testing::ResetRegistry();
        win32::testing::SetRegistryMachineRoot(machine.Path());
    }
    void TearDown() override { win32::testing::ResetRegistry(); }

    // The value's bytes as the stand-in hands them out, or nothing when the
    // key or the value is missing.
    static std::optional<std::string> Read(win32::HKEY root, const std::string& keyPath, const std::string& name,
                                           std::uint32_t* type = nullptr)
    {
        win32::HKEY key = 0;
        if (win32::RegOpenKeyA(root, keyPath.c_str(), &key) != win32::ERROR_SUCCESS)
            return std::nullopt;
        std::array<std::uint8_t, 256> buffer{};
        std::uint32_t size = buffer.size();
        const std::int32_t result = win32::RegQueryValueExA(key, name.c_str(), nullptr, type, buffer.data(), &size);
        EXPECT_EQ(win32::RegCloseKey(key), win32::ERROR_SUCCESS);
        if (result != win32::ERROR_SUCCESS)
            return std::nullopt;
        return std::string(buffer.begin(), buffer.begin() + size);
    }

    TempFolder machine{"corvellan-registry-machine"};
    TempFolder user{"corvellan-registry-user"};
    ScopedEnvironment config{"XDG_CONFIG_HOME", user.Path()};
};

TEST_F(RegistryTest, KeyPathsMapToFilesBelowTheirRoot)
{
    ASSERT_TRUE(WriteFileBytes(machine.Join("Brackwell Games/Corvellan/registry.ini"), "Where=machine\n"));
    ASSERT_TRUE(WriteFileBytes(user.Join("Brackwell Games/Corvellan/registry.ini"), "Where=user\n"));
    ASSERT_TRUE(WriteFileBytes(user.Join("SOFTWAREX/a/registry.ini"), "Where=softwarex\n"));
    ASSERT_TRUE(WriteFileBytes(user.Join("b/registry.ini"), "Where=b\n"));

    struct Case
    {
        win32::HKEY root;
        const char* keyPath;
        std::optional<std::string> where;
    };
    const Case cases[] = {
        {win32::HKEY_LOCAL_MACHINE, kKey, "machine"},
        {win32::HKEY_CURRENT_USER, kKey, "user"},
        {win32::HKEY_CURRENT_USER, "software\\Brackwell Games\\Corvellan", "user"},
        {win32::HKEY_CURRENT_USER, "Brackwell Games\\Corvellan", "user"},
        {win32::HKEY_CURRENT_USER, "SOFTWAREX\\a", "softwarex"},
        {win32::HKEY_CURRENT_USER, "SOFTWARE\\b", "b"},
        // Only the leading "SOFTWARE\" goes.
        {win32::HKEY_CURRENT_USER, "SOFTWARE\\SOFTWARE\\b", std::nullopt},
        {win32::HKEY_LOCAL_MACHINE, "SOFTWARE\\b", std::nullopt},
        // A key never climbs out of its root, nor names a folder path itself.
        {win32::HKEY_CURRENT_USER, "SOFTWARE\\a\\..\\b", std::nullopt},
        {win32::HKEY_CURRENT_USER, "SOFTWARE\\Brackwell Games/Corvellan", std::nullopt},
        {win32::HKEY_CURRENT_USER, "SOFTWARE\\\\b", std::nullopt},
        {win32::HKEY_CLASSES_ROOT, kKey, std::nullopt},
        {win32::HKEY_USERS, kKey, std::nullopt},
        {win32::HKEY_CURRENT_CONFIG, kKey, std::nullopt},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.keyPath) + " under " + std::to_string(c.root));
        const auto where = Read(c.root, c.keyPath, "Where");
        EXPECT_EQ(where, c.where ? std::optional<std::string>(*c.where + '\0') : std::nullopt);
    }
}

TEST_F(RegistryTest, AMissingFileIsAMissingKey)
{
    win32::HKEY key = 77;
    EXPECT_EQ(win32::RegOpenKeyA(win32::HKEY_CURRENT_USER, kKey, &key), win32::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(win32::RegOpenKeyA(win32::HKEY_LOCAL_MACHINE, kKey, &key), win32::ERROR_FILE_NOT_FOUND);
    // Without a usable config variable the user's files are below ~/.config.
    TempFolder home{"corvellan-registry-home"};
    ASSERT_TRUE(WriteFileBytes(home.Join(".config/Brackwell Games/Corvellan/registry.ini"), "Where=home\n"));
    for (const std::optional<std::string>& value : {std::optional<std::string>(), std::optional<std::string>("rel")})
    {
        ScopedEnvironment noConfig{"XDG_CONFIG_HOME", value};
        ScopedEnvironment homeVariable{"HOME", home.Path()};
        EXPECT_EQ(Read(win32::HKEY_CURRENT_USER, kKey, "where"), std::string("home") + '\0');
    }
}

TEST_F(RegistryTest, FileLinesGiveTextValuesByNameInAnyCase)
{
    const std::string file = "; a comment\r\n"
                             "# another\n"
                             "\n"
                             "Version=205\r\n"
                             "InstallPath=/opt/a=b\n"
                             "no equals sign here\n"
                             "Empty=\n"
                             "Language=ru\n"
                             "Title=Ж \xE2\x82\xAC\n"
                             "  Spaced = kept as written\n"
                             "Last";
    ASSERT_TRUE(WriteFileBytes(user.Join("Brackwell Games/Corvellan/registry.ini"), file));

    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"Version", "205"},
        {"VERSION", "205"},
        {"installpath", "/opt/a=b"},
        {"Empty", ""},
        {"Language", "ru"},
        {"Title", "Ж \xE2\x82\xAC"},
        {"  Spaced ", " kept as written"},
        {"Spaced", std::nullopt},
        {"; a comment", std::nullopt},
        {"# another", std::nullopt},
        {"no equals sign here", std::nullopt},
        {"Last", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [name, expected] : cases)
    {
        SCOPED_TRACE(name);
        std::uint32_t type = 99;
        const auto value = Read(win32::HKEY_CURRENT_USER, kKey, name, &type);
        EXPECT_EQ(value, expected ? std::optional<std::string>(*expected + '\0') : std::nullopt);
        if (expected)
        {
            EXPECT_EQ(type, win32::REG_SZ);
        }
    }
}

TEST_F(RegistryTest, QueriesHonourTheBufferSize)
{
    ASSERT_TRUE(WriteFileBytes(user.Join("Brackwell Games/Corvellan/registry.ini"), "Name=abc\n"));
    win32::HKEY key = 0;
    ASSERT_EQ(win32::RegOpenKeyA(win32::HKEY_CURRENT_USER, kKey, &key), win32::ERROR_SUCCESS);

    // Without a buffer: only the size it needs.
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(win32::RegQueryValueExA(key, "Name", nullptr, &type, nullptr, &size), win32::ERROR_SUCCESS);
    EXPECT_EQ(type, win32::REG_SZ);
    EXPECT_EQ(size, 4u);

    struct Case
    {
        std::uint32_t bufferSize;
        std::int32_t result;
        std::uint32_t sizeAfter;
        std::string buffer;
    };
    const Case cases[] = {
        {8, win32::ERROR_SUCCESS, 4, std::string("abc\0----", 8)},
        {4, win32::ERROR_SUCCESS, 4, std::string("abc\0----", 8)},
        {3, win32::ERROR_MORE_DATA, 4, "--------"},
        {0, win32::ERROR_MORE_DATA, 4, "--------"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.bufferSize);
        std::string buffer = "--------";
        size = c.bufferSize;
        type = 0;
        EXPECT_EQ(win32::RegQueryValueExA(key, "name", nullptr, &type,
                                          reinterpret_cast<std::uint8_t*>(buffer.data()), &size),
                  c.result);
        EXPECT_EQ(size, c.sizeAfter);
        EXPECT_EQ(buffer, c.buffer);
        EXPECT_EQ(type, win32::REG_SZ);
    }

    size = 8;
    std::array<std::uint8_t, 8> buffer{};
    EXPECT_EQ(win32::RegQueryValueExA(key, "Missing", nullptr, nullptr, buffer.data(), &size),
              win32::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(win32::RegCloseKey(key), win32::ERROR_SUCCESS);
    // A closed key answers nothing and closes once.
    EXPECT_EQ(win32::RegQueryValueExA(key, "Name", nullptr, nullptr, buffer.data(), &size),
              win32::ERROR_INVALID_HANDLE);
    EXPECT_EQ(win32::RegCloseKey(key), win32::ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, TheValuesAreReadWhenTheKeyOpens)
{
    const std::string file = user.Join("Brackwell Games/Corvellan/registry.ini");
    ASSERT_TRUE(WriteFileBytes(file, "Name=first\n"));
    win32::HKEY key = 0;
    ASSERT_EQ(win32::RegOpenKeyA(win32::HKEY_CURRENT_USER, kKey, &key), win32::ERROR_SUCCESS);
    ASSERT_TRUE(WriteFileBytes(file, "Name=second\n"));
    std::array<char, 16> buffer{};
    std::uint32_t size = buffer.size();
    ASSERT_EQ(win32::RegQueryValueExA(key, "Name", nullptr, nullptr, reinterpret_cast<std::uint8_t*>(buffer.data()),
                                      &size),
              win32::ERROR_SUCCESS);
    EXPECT_STREQ(buffer.data(), "first");
    win32::RegCloseKey(key);
    EXPECT_EQ(Read(win32::HKEY_CURRENT_USER, kKey, "Name"), std::string("second") + '\0');
}

TEST_F(RegistryTest, InjectedValuesTakeAnyTypeAndBytes)
{
    ASSERT_TRUE(WriteFileBytes(user.Join("Brackwell Games/Corvellan/registry.ini"), "Language=ru\nVersion=1\n"));
    const std::string dword("\x05\x00\x00\x00", 4);
    win32::testing::InjectRegistryValue(win32::HKEY_CURRENT_USER, kKey, "LANGUAGE", win32::REG_DWORD, dword);
    // A key with an injected value opens without a file.
    const std::string noZero(300, 'x');
    win32::testing::InjectRegistryValue(win32::HKEY_LOCAL_MACHINE, "software\\Brackwell Games\\Corvellan", "Raw",
                                        win32::REG_SZ, noZero);

    std::uint32_t type = 0;
    EXPECT_EQ(Read(win32::HKEY_CURRENT_USER, kKey, "language", &type), dword);
    EXPECT_EQ(type, win32::REG_DWORD);
    EXPECT_EQ(Read(win32::HKEY_CURRENT_USER, kKey, "Version", &type), std::string("1") + '\0');
    EXPECT_EQ(type, win32::REG_SZ);
    // 300 bytes do not fit the helper's 256.
    EXPECT_EQ(Read(win32::HKEY_LOCAL_MACHINE, kKey, "Raw"), std::nullopt);
    win32::HKEY key = 0;
    ASSERT_EQ(win32::RegOpenKeyA(win32::HKEY_LOCAL_MACHINE, kKey, &key), win32::ERROR_SUCCESS);
    std::vector<std::uint8_t> buffer(300);
    std::uint32_t size = buffer.size();
    ASSERT_EQ(win32::RegQueryValueExA(key, "raw", nullptr, &type, buffer.data(), &size), win32::ERROR_SUCCESS);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), noZero);
    EXPECT_EQ(win32::RegQueryValueExA(key, "Version", nullptr, &type, buffer.data(), &size),
              win32::ERROR_FILE_NOT_FOUND);
    win32::RegCloseKey(key);
    // Only the key it was injected into.
    EXPECT_EQ(Read(win32::HKEY_LOCAL_MACHINE, "SOFTWARE\\Brackwell Games", "Raw"), std::nullopt);

    win32::testing::ResetRegistry();
    win32::testing::SetRegistryMachineRoot(machine.Path());
    EXPECT_EQ(Read(win32::HKEY_CURRENT_USER, kKey, "Language"), std::string("ru") + '\0');
    EXPECT_EQ(Read(win32::HKEY_LOCAL_MACHINE, kKey, "Raw"), std::nullopt);
}

TEST_F(RegistryTest, HooksFailCallsAndCountKeysAndQueries)
{
    ASSERT_TRUE(WriteFileBytes(user.Join("Brackwell Games/Corvellan/registry.ini"), "Name=abc\n"));
    EXPECT_EQ(Read(win32::HKEY_CURRENT_USER, kKey, "Name"), std::string("abc") + '\0');
    EXPECT_EQ(Read(win32::HKEY_LOCAL_MACHINE, kKey, "Name"), std::nullopt); // no file: no open, no query

    win32::testing::FailRegistryCall(win32::testing::RegistryCall::Query, 5);
    win32::HKEY key = 0;
    ASSERT_EQ(win32::RegOpenKeyA(win32::HKEY_CURRENT_USER, kKey, &key), win32::ERROR_SUCCESS);
    std::array<std::uint8_t, 16> buffer{};
    std::uint32_t size = buffer.size();
    EXPECT_EQ(win32::RegQueryValueExA(key, "Name", nullptr, nullptr, buffer.data(), &size), 5);
    EXPECT_EQ(win32::RegCloseKey(key), win32::ERROR_SUCCESS);

    win32::testing::FailRegistryCall(win32::testing::RegistryCall::Open, 1450);
    key = 9;
    EXPECT_EQ(win32::RegOpenKeyA(win32::HKEY_CURRENT_USER, kKey, &key), 1450);
    EXPECT_EQ(key, 0u);

    // Error 0 lifts a failure.
    win32::testing::FailRegistryCall(win32::testing::RegistryCall::Open, 0);
    win32::testing::FailRegistryCall(win32::testing::RegistryCall::Query, 0);
    EXPECT_EQ(Read(win32::HKEY_CURRENT_USER, kKey, "Other"), std::nullopt);

    const win32::testing::RegistryCounts counts = win32::testing::GetRegistryCounts();
    EXPECT_EQ(counts.opens, 3);
    EXPECT_EQ(counts.closes, 3);
    EXPECT_EQ(win32::testing::GetRegistryQueries(), (std::vector<std::string>{"Name", "Name", "Other"}));
}

} // namespace
