#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "tests/support/FileBytes.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace OrvaneEngine;

namespace
{

// The engine's configuration and files: where the ini lies, when it is read
// and written, and the "exit" command behind IsExiting.
class EngineConfigTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        settings.packFolder = "Data";
        settings.configFolder = folder.Join("config");
        settings.configName = "Test";
        settings.videoMode = "1024x768x32";
    }
    std::string IniPath() const { return folder.Join("config/Test.ini"); }
};

TEST_F(EngineConfigTest, ExitCommandEndsTheRun)
{
    {
        Engine engine(settings);
        EXPECT_FALSE(engine.IsExiting());
        ASSERT_EQ(engine.config->Execute("exit"), 0u);
        EXPECT_TRUE(engine.IsExiting());
        engine.Frame(0);
        const int count = engine.messageManager->GetMessageCount();
        ASSERT_GT(count, 0);
        EXPECT_EQ(engine.messageManager->GetMessage(static_cast<std::uint32_t>(count - 1)).text, "\nExiting...\n\n");
    }
    {
        Engine engine(settings);
        engine.RequestExit(1);
        EXPECT_FALSE(engine.config->GetCommandFlag("exit"));
        EXPECT_TRUE(engine.IsExiting());
    }
}

TEST_F(EngineConfigTest, SaveOnExitOnlyWhenAsked)
{
    ASSERT_TRUE(corvellan::test::WriteFileBytes(IniPath(), "v_gamma 2\r\n"));
    const auto stamp = std::filesystem::last_write_time(IniPath());
    settings.saveConfigOnExit = false;
    {
        Engine engine(settings);
        EXPECT_FLOAT_EQ(engine.config->gamma, 2.0f);
        engine.config->Execute("v_gamma 3");
    }
    EXPECT_EQ(corvellan::test::ReadFileText(IniPath()), "v_gamma 2\r\n");
    EXPECT_EQ(std::filesystem::last_write_time(IniPath()), stamp);

    settings.saveConfigOnExit = true;
    {
        Engine engine(settings);
        engine.config->Execute("v_gamma 3");
    }
    const auto ini = corvellan::test::ReadFileText(IniPath());
    ASSERT_TRUE(ini.has_value());
    EXPECT_NE(ini->find("v_gamma 3.000000\r\n"), std::string::npos);
    EXPECT_EQ(ini->find("v_gamma 2"), std::string::npos);
}

TEST_F(EngineConfigTest, FirstRunMakesTheConfigFolder)
{
    settings.configFolder = folder.Join("new/deeper");
    {
        Engine engine(settings);
    }
    EXPECT_TRUE(corvellan::test::ReadFileText(folder.Join("new/deeper/Test.ini")).has_value());
}

TEST_F(EngineConfigTest, EmptyNamesGiveTheEngineIni)
{
    settings.title.clear();
    settings.logName.clear();
    settings.configName.clear();
    {
        Engine engine(settings);
        EXPECT_EQ(engine.config->GetIniPath(), settings.configFolder + "\\Orvane Engine.ini");
    }
    EXPECT_TRUE(corvellan::test::ReadFileText(folder.Join("config/Orvane Engine.ini")).has_value());
    EXPECT_TRUE(corvellan::test::ReadFileText(folder.Join("Orvane Engine.html")).has_value());
}

TEST_F(EngineConfigTest, ForceFlagsOverrideTheIni)
{
    ASSERT_TRUE(corvellan::test::WriteFileBytes(IniPath(), "v_mode 640x480x16\r\nv_fullscreen 0\r\n"));
    const struct
    {
        bool forceVideoMode;
        bool forceFullscreen;
        const char* mode;
        bool fullscreen;
    } cases[] = {
        {false, false, "640x480x16", false},
        {true, false, "1024x768x32", false},
        {false, true, "640x480x16", true},
        {true, true, "1024x768x32", true},
    };
    settings.saveConfigOnExit = false;
    // The render system may shrink a window that does not fit the desktop;
    // only the configuration's own rules are looked at here.
    settings.allowLargeWindow = true;
    // A forced full-screen flag is the settings' own.
    settings.fullscreen = true;
    for (const auto& c : cases)
    {
        settings.forceVideoMode = c.forceVideoMode;
        settings.forceFullscreen = c.forceFullscreen;
        Engine engine(settings);
        EXPECT_EQ(engine.config->videoMode, c.mode) << c.forceVideoMode << c.forceFullscreen;
        EXPECT_EQ(engine.config->fullscreen, c.fullscreen) << c.forceVideoMode << c.forceFullscreen;
    }
}

TEST_F(EngineConfigTest, UpdateRunsResetConfigAndFrameClearsChanges)
{
    Engine engine(settings);
    float watched = 0.0f;
    engine.config->RegisterVariable("g_watched", ConfigVariable::TypeFloat, false, false, &watched, "1.0", true);
    engine.config->Execute("v_gamma 2");
    engine.config->Execute("reset_config");
    engine.Update();
    EXPECT_FLOAT_EQ(engine.config->gamma, 1.0f);
    EXPECT_TRUE(engine.config->GetCommandFlag("reset_config"));
    EXPECT_TRUE(engine.config->HasChanged("g_watched"));
    engine.Frame(0);
    EXPECT_FALSE(engine.config->HasChanged("g_watched"));
    watched = 5.0f;
    engine.Update();
    EXPECT_TRUE(engine.config->HasChanged("g_watched"));
}

TEST_F(EngineConfigTest, FilesComeFromTheRootAndItsPacksFolder)
{
    ASSERT_TRUE(corvellan::test::WriteFileBytes(folder.Join("data/loose.txt"), "loose"));
    Engine engine(settings);
    EXPECT_EQ(engine.fileManager->GetRootFolder(), folder.Path());
    EXPECT_TRUE(engine.fileManager->Exists("DATA\\LOOSE.TXT"));
    const int count = engine.messageManager->GetMessageCount();
    bool announced = false;
    for (int i = 0; i < count; ++i)
        announced = announced ||
                    engine.messageManager->GetMessage(static_cast<std::uint32_t>(i)).text ==
                        "Initialization of File Manager...\n";
    // Update empties the list each frame, so the line is there only before it.
    EXPECT_TRUE(announced);
}

} // namespace
