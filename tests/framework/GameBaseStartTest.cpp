// The application object's start-up: where the data and the player's files
// are found, the engine's settings, the start-up sequence and its helpers.
#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/FileManager.h"
#include "engine/core/Random.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "content/PackWriter.h"
#include "framework/GameBase.h"
#include "platform/win32/Registry.h"
#include "platform/win32/testing/MessageBoxHooks.h"
#include "platform/win32/testing/RegistryHooks.h"
#include "platform/win32/testing/TickCountHooks.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestGame.h"
#include "tests/support/TestGameData.h"
#include "tests/support/TestGameFolders.h"
#include "tests/support/TestGameLoader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace
{

using corvellan::test::TestGame;
using corvellan::test::TestGameData;
using corvellan::test::TestGameFolders;
using corvellan::test::TestGameJournal;
namespace wt = win32::testing;

bool WritePack(const std::string& path, const std::vector<std::pair<std::string, std::string>>& files)
{
    corvellan::content::PackWriter pack;
    for (const auto& [name, bytes] : files)
        pack.Add(name, bytes);
    return pack.WriteTo(path);
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(GameBaseStartTest, RootFolderAndVersionFollowThePackThenTheRegistry)
{
    struct Case
    {
        const char* name;
        bool packBesideProgram;
        bool installPath;
        std::string machineVersion;
        std::string userVersion;
        bool versionIsDword;
        bool rootIsInstall;
        std::uint32_t version;
        const char* firstCaption;
    };
    const std::vector<Case> cases = {
        {"pack beside the program", true, true, "", "", false, false, 103, "Corvellan 1.03"},
        {"install path and machine version", false, true, "205", "", false, true, 205, "Corvellan 2.05"},
        {"version not a number", false, false, "abc", "", false, false, 0, "Corvellan 0.00"},
        {"user version only", false, false, "", "9", false, false, 9, "Corvellan 0.09"},
        {"version of another type", false, false, "", "", true, false, 103, "Corvellan 1.03"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TestGameFolders folders;
        corvellan::test::TempFolder install("corvellan-install");
        ASSERT_TRUE(TestGameData::Write(install.Path()));
        if (c.packBesideProgram)
        {
            ASSERT_TRUE(WritePack(folders.program.Join("data/pack0.pak"), {}));
        }
        std::string machine;
        if (c.installPath)
            machine += "InstallPath=" + install.Path() + "\n";
        if (!c.machineVersion.empty())
            machine += "Version=" + c.machineVersion + "\n";
        ASSERT_TRUE(folders.WriteMachineRegistry(machine));
        if (!c.userVersion.empty())
        {
            ASSERT_TRUE(folders.WriteUserRegistry("Version=" + c.userVersion + "\n"));
        }
        if (c.versionIsDword)
            wt::InjectRegistryValue(win32::HKEY_LOCAL_MACHINE, "SOFTWARE\\Brackwell Games\\Corvellan", "Version",
                                    win32::REG_DWORD, std::string("\x05\x00\x00\x00", 4));

        TestGameJournal journal;
        TestGame game(journal, {});
        EXPECT_EQ(game.GetRegistryKey(), "SOFTWARE\\Brackwell Games\\Corvellan");
        EXPECT_EQ(game.GetRootFolder(), c.rootIsInstall ? install.Path() : folders.program.Path());
        EXPECT_EQ(game.GetVersion(), c.version);
        EXPECT_EQ(game.GetEngine()->settings->version, static_cast<std::int32_t>(c.version));
        EXPECT_EQ(game.GetEngine()->GetFullName(), c.firstCaption);
        const std::vector<std::string> queries = wt::GetRegistryQueries();
        const bool askedInstall = std::find(queries.begin(), queries.end(), "InstallPath") != queries.end();
        EXPECT_EQ(askedInstall, !c.packBesideProgram);
    }
}

TEST(GameBaseStartTest, PlayerFilesGoToTheDataHome)
{
    TestGameFolders folders;
    {
        TestGameJournal journal;
        TestGame game(journal, {});
        EXPECT_EQ(game.GetUserFolder(), folders.dataHome.Path() + "\\Brackwell Games\\Corvellan");
    }
    EXPECT_TRUE(Contains(folders.LogText(), "Corvellan Log end: "));
    const std::optional<std::string> ini = corvellan::test::ReadFileText(folders.UserFolder() + "/Corvellan.ini");
    ASSERT_TRUE(ini.has_value());
    EXPECT_TRUE(Contains(*ini, "d_show_statistics"));
}

TEST(GameBaseStartTest, WithoutADataHomeThePlayerFolderHangsOffTheRoot)
{
    TestGameFolders folders;
    corvellan::test::ScopedEnvironment noData("XDG_DATA_HOME", std::nullopt);
    corvellan::test::ScopedEnvironment noHome("HOME", std::nullopt);
    {
        TestGameJournal journal;
        TestGame game(journal, {});
        EXPECT_EQ(game.GetUserFolder(), "\\Brackwell Games\\Corvellan");
    }
    EXPECT_TRUE(corvellan::test::ReadFileText(folders.program.Join("Brackwell Games/Corvellan/Corvellan.html")));
}

TEST(GameBaseStartTest, EngineSettingsHoldTheFrameworkValues)
{
    TestGameFolders folders;
    TestGameJournal journal;
    TestGame game(journal, {});
    OrvaneEngine::EngineSettings settings;
    settings.fullscreen = false;
    settings.iconResource = 7;
    settings.centerWindow = false;
    settings.windowPosition = {3, 4};
    settings.sound3D = true;
    settings.logReopen = true;
    settings.saveConfigOnExit = false;
    settings.minimizeWhenInactive = false;
    settings.forceVideoMode = true;
    settings.forceFullscreen = true;
    settings.parentWindow = 9;
    settings.allowLargeWindow = true;
    settings.stencilBuffer = true;
    game.FillEngineSettings(settings);
    const std::string user = folders.dataHome.Path() + "\\Brackwell Games\\Corvellan";
    EXPECT_EQ(settings.title, "Corvellan");
    EXPECT_EQ(settings.version, 103);
    EXPECT_EQ(settings.rootFolder, folders.program.Path());
    EXPECT_EQ(settings.packFolder, "Data");
    EXPECT_TRUE(settings.logEnabled);
    EXPECT_FALSE(settings.logReopen);
    EXPECT_EQ(settings.logFolder, user);
    EXPECT_EQ(settings.logName, "Corvellan");
    EXPECT_EQ(settings.configFolder, user);
    EXPECT_EQ(settings.configName, "Corvellan");
    EXPECT_TRUE(settings.saveConfigOnExit);
    EXPECT_EQ(settings.videoMode, "800x600x32");
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_FALSE(settings.forceVideoMode);
    EXPECT_FALSE(settings.forceFullscreen);
    EXPECT_EQ(settings.parentWindow, 0u);
    EXPECT_EQ(settings.iconResource, 0u);
    EXPECT_TRUE(settings.minimizeWhenInactive);
    EXPECT_TRUE(settings.centerWindow);
    EXPECT_EQ(settings.windowPosition.x, 0);
    EXPECT_EQ(settings.windowPosition.y, 0);
    EXPECT_FALSE(settings.sound3D);
    EXPECT_FALSE(settings.allowLargeWindow);
    EXPECT_FALSE(settings.stencilBuffer);
}

TEST(GameBaseStartTest, StartUpMakesServicesInOrderAndShowsTheLogos)
{
    TestGameFolders folders;
    TestGameJournal journal;
    TestGame game(journal, {});
    const std::vector<std::string> expected = {"level manager", "profile manager", "game data", "cursor", "Logos",
                                               "Loading"};
    EXPECT_EQ(journal.With("factory "), expected);
    EXPECT_EQ(journal.Count("show Logos"), 1u);
    OrvaneEngine::Engine& engine = *game.GetEngine();
    EXPECT_EQ(wt::GetWindowTitle(engine.window->handle), "Corvellan \xC3\x89" "dition");
    EXPECT_FLOAT_EQ(engine.guiManager->GetScreenWidth(), 800.0f);
    EXPECT_FLOAT_EQ(engine.guiManager->GetScreenHeight(), 600.0f);
    EXPECT_EQ(engine.guiManager->GetTextManager()->GetText("OK"), u"OK");

    // The five variables come before the game's, in this order.
    std::vector<std::string> names;
    engine.config->GetNames(names);
    for (const char* name : {"d_get_used_video_memory_size", "d_get_manages_occupation", "d_get_loaded_textures",
                             "d_show_statistics", "g_update_video_mode"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
}

TEST(GameBaseStartTest, TheTickCountSeedsTheRandomGenerator)
{
    auto firstDraws = [](std::uint32_t ticks) {
        TestGameFolders folders;
        wt::SetFixedTickCount(ticks);
        TestGameJournal journal;
        TestGame game(journal, {});
        std::vector<int> draws;
        for (int i = 0; i < 4; ++i)
            draws.push_back(OrvaneEngine::Random());
        wt::ResetTickCount();
        return draws;
    };
    EXPECT_EQ(firstDraws(1234), firstDraws(1234));
    EXPECT_NE(firstDraws(1234), firstDraws(98765));
}

TEST(GameBaseStartTest, AMissingTitleFileIsLoggedAndTheCaptionSaysUnknown)
{
    TestGameFolders folders;
    std::remove(folders.program.Join("data/ui/texts/en/game_title.ini").c_str());
    TestGameJournal journal;
    TestGame game(journal, {});
    EXPECT_EQ(wt::GetWindowTitle(game.GetEngine()->window->handle), "UNKNOWN");
    EXPECT_EQ(game.GetEngine()->guiManager->GetTextManager()->GetText("CANCEL"), u"Cancel");
}

TEST(GameBaseStartTest, SoundFilesPreferAWavOnDiskOrInAPack)
{
    struct Case
    {
        const char* name;
        bool looseWav;
        bool packedWav;
        bool ogg;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"loose wav", true, false, true, "audio\\menu\\click.wav"},
        {"wav in a pack", false, true, false, "audio\\menu\\click.wav"},
        {"ogg only", false, false, true, "audio\\menu\\click.ogg"},
        {"neither", false, false, false, "audio\\menu\\click.ogg"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TestGameFolders folders;
        if (c.looseWav)
        {
            ASSERT_TRUE(corvellan::test::WriteFileBytes(folders.program.Join("data/audio/menu/click.wav"), "RIFF"));
        }
        if (c.ogg)
        {
            ASSERT_TRUE(corvellan::test::WriteFileBytes(folders.program.Join("data/audio/menu/click.ogg"), "OggS"));
        }
        if (c.packedWav)
        {
            ASSERT_TRUE(WritePack(folders.program.Join("data/pack0.pak"), {{"data\\audio\\menu\\click.wav", "RIFF"}}));
        }
        TestGameJournal journal;
        TestGame game(journal, {});
        EXPECT_EQ(game.FindSoundFile("menu", "click"), c.expected);
    }
}

} // namespace
