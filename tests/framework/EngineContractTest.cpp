#include "content/PackWriter.h"
#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/Engine.h"
#include "engine/core/FileManager.h"
#include "engine/render/RenderSystem.h"
#include "tests/support/FileBytes.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using namespace OrvaneEngine;

namespace
{

using corvellan::test::ReadFileText;
using corvellan::test::WriteFileBytes;

// What the framework takes for granted of the engine beyond what the engine's
// own tests pin down: the profile list cuts file names out of FindFiles'
// paths, the frame step serves commands requested from the ini, and the
// display-mode screens keep pointers into the configuration's video storage.
class EngineContractTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        settings.packFolder = "Data";
        settings.configName = "Test";
    }
    // The engine saves the ini when it ends, reading every bound storage, so
    // it must end while the storage the tests bind still exists.
    void TearDown() override { Stop(); }
    std::string IniPath() const { return folder.Join("Test.ini"); }

    std::vector<std::uint32_t> fillers;
};

// The name after a path's last backslash.
std::string LastComponent(const std::string& path)
{
    const auto cut = path.rfind('\\');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

TEST_F(EngineContractTest, FindFilesGivesPathsEndingInTheFileName)
{
    corvellan::content::PackWriter pack;
    pack.Add("data\\profiles\\packed.prf", "x");
    ASSERT_TRUE(WriteFileBytes(folder.Join("Data/pack0.pak"), pack.Build()));
    ASSERT_TRUE(WriteFileBytes(folder.Join("data/profiles/loose.prf"), "x"));
    ASSERT_TRUE(WriteFileBytes(folder.Join("data/profiles/skipped.txt"), "x"));
    ASSERT_TRUE(WriteFileBytes(folder.Join("users/Brackwell Games/Corvellan/profiles/mine.prf"), "x"));
    Engine& engine = Start();

    // The per-user folder is absolute and lies outside the root and its packs.
    const std::string users = folder.Path() + "\\users\\Brackwell Games\\Corvellan\\profiles";
    const struct
    {
        std::string folder;
        std::vector<std::string> names;
    } cases[] = {
        {"data\\profiles", {"loose.prf", "packed.prf"}},
        {users, {"mine.prf"}},
        {users + "\\", {"mine.prf"}},
        {"data\\missing", {}},
        {folder.Path() + "\\missing", {}},
    };
    for (const auto& c : cases)
    {
        std::vector<std::string> found;
        engine.fileManager->FindFiles(c.folder, "*.prf", found);
        std::vector<std::string> names;
        for (const std::string& path : found)
        {
            names.push_back(LastComponent(path));
            EXPECT_EQ(path.size(), path.rfind('\\') + 1 + names.back().size()) << c.folder << ": " << path;
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.names) << c.folder;
        for (const std::string& path : found)
            EXPECT_TRUE(engine.fileManager->Exists(path)) << c.folder << ": " << path;
    }
}

TEST_F(EngineContractTest, IniCommandRunsAtRegistrationAndIsNotSavedBack)
{
    ASSERT_TRUE(WriteFileBytes(IniPath(), "d_late_command\r\ng_late_value 7\r\n"));
    {
        Engine& engine = Start();
        EXPECT_FALSE(engine.config->GetCommandFlag("d_late_command")) << "not registered yet";
        engine.Update();
        engine.Frame(0);

        std::uint32_t value = 0;
        engine.config->RegisterVariable("d_late_command", ConfigVariable::TypeCommand, false, true, nullptr, "",
                                        false);
        engine.config->RegisterVariable("g_late_value", ConfigVariable::TypeUInt, false, true, &value, "1", false);
        EXPECT_FALSE(engine.config->GetCommandFlag("d_late_command")) << "requested by the ini line";
        EXPECT_EQ(value, 7u);
        engine.config->SetCommandFlag("d_late_command", true);
        Stop();
    }
    const std::string ini = ReadFileText(IniPath()).value_or("<missing>");
    EXPECT_EQ(ini.find("d_late_command"), std::string::npos) << ini;
    EXPECT_NE(ini.find("g_late_value 7\r\n"), std::string::npos) << ini;

    // Requested once, by the first start only.
    Engine& engine = Start();
    engine.config->RegisterVariable("d_late_command", ConfigVariable::TypeCommand, false, true, nullptr, "", false);
    EXPECT_TRUE(engine.config->GetCommandFlag("d_late_command"));
}

TEST_F(EngineContractTest, VideoStorageKeepsItsAddressAcrossRegistrationsAndLoad)
{
    Engine& engine = Start();
    Config& config = *engine.config;
    std::string* const mode = &config.videoMode;
    bool* const fullscreen = &config.fullscreen;

    fillers.resize(300);
    for (std::size_t i = 0; i < fillers.size(); ++i)
        config.RegisterVariable("g_filler_" + std::to_string(i), ConfigVariable::TypeUInt, false, true, &fillers[i],
                                "0", false);
    ASSERT_TRUE(WriteFileBytes(IniPath(), "v_mode 1024x768x32\r\nv_fullscreen 1\r\n"));
    config.Load();
    EXPECT_EQ(&config.videoMode, mode);
    EXPECT_EQ(&config.fullscreen, fullscreen);
    EXPECT_EQ(*mode, "1024x768x32") << "Load writes through the same storage";
    EXPECT_TRUE(*fullscreen);

    // A screen that changes the display mode writes the storage directly; the
    // console, the render system and the saved ini all see it.
    *mode = "640x480x32";
    *fullscreen = false;
    EXPECT_EQ(config.GetValueText("v_mode"), "640x480x32");
    EXPECT_EQ(config.GetValueText("v_fullscreen"), "0");
    engine.renderSystem->resetNeeded = false;
    engine.renderSystem->CheckVideoMode();
    EXPECT_TRUE(engine.renderSystem->resetNeeded) << "the window is 800x600";
    config.Save();
    const std::string ini = ReadFileText(IniPath()).value_or("<missing>");
    EXPECT_NE(ini.find("v_mode 640x480x32\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("v_fullscreen 0\r\n"), std::string::npos) << ini;

    ASSERT_EQ(config.Execute("v_mode 800x600x32"), Config::ExecuteDone);
    EXPECT_EQ(*mode, "800x600x32");
}

} // namespace
