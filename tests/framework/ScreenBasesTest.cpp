// The framework halves of the screens: the profile operations, the options
// screen's modes and volumes, the in-game menu and the in-level panel.
#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/Window.h"
#include "framework/GUIDeleteProfileWindowBase.h"
#include "framework/GUIGameLogicMenuWindowBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GUINewProfileWindowBase.h"
#include "framework/GUIOptionsWindowBase.h"
#include "framework/GUIRenameProfileWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundController.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/support/TestGame.h"
#include "tests/support/TestGameClock.h"
#include "tests/support/TestGameFolders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace
{

using corvellan::test::TestGame;
using corvellan::test::TestGameFolders;
using corvellan::test::TestGameJournal;
using GameFramework::GUIOptionsWindowBase;
using GameFramework::ProfileBase;
using GameFramework::ProfileManagerBase;
namespace wt = win32::testing;

class ScreenBasesTest : public ::testing::Test
{
protected:
    OrvaneEngine::Engine& Engine() const { return *game.GetEngine(); }
    OrvaneEngine::Config& Config() const { return *game.GetEngine()->config; }
    ProfileManagerBase& Profiles() const { return *game.GetProfileManager(); }
    GameFramework::SoundController& Sound() const { return *game.GetSoundController(); }

    std::vector<std::u16string> Names() const
    {
        std::vector<std::u16string> names;
        for (const auto& profile : Profiles().profiles)
            names.push_back(profile->name);
        return names;
    }

    // A request is pending while its command flag reads false.
    bool Requested(const char* command) const { return !Config().GetCommandFlag(command); }

    void ClearRequests()
    {
        Config().SetCommandFlag("g_update_video_mode", true);
        Config().SetCommandFlag("v_window_change_mode", true);
    }

    bool IniExists() const { return std::filesystem::exists(IniPath()); }
    void RemoveIni() const { std::filesystem::remove(IniPath()); }
    std::string IniPath() const
    {
        std::string path = Config().GetIniPath();
        for (char& c : path)
            if (c == '\\')
                c = '/';
        return path;
    }

    void Frame() { game.Frame(); }

    corvellan::test::TestGameClock clock;
    TestGameFolders folders;
    TestGameJournal journal;
    TestGame game{journal, {}};
};

TEST_F(ScreenBasesTest, ProfileScreensCreateRenameAndDeleteByName)
{
    GameFramework::GUIWelcomeWindowBase welcome(&Profiles());
    welcome.CreateProfile(u"Anna");
    ASSERT_NE(Profiles().currentProfile, nullptr);
    EXPECT_EQ(Profiles().currentProfile->name, u"Anna");

    GameFramework::GUINewProfileWindowBase newProfile(&Profiles());
    EXPECT_FALSE(newProfile.CreateProfile(u"anna")) << "names differ only in case";
    EXPECT_EQ(Names(), std::vector<std::u16string>{u"Anna"});
    EXPECT_TRUE(newProfile.CreateProfile(u"Bob"));
    EXPECT_EQ(Profiles().currentProfile->name, u"Bob");

    GameFramework::GUIRenameProfileWindowBase rename(&Profiles());
    rename.Show(true, u"Anna");
    struct Case
    {
        const char16_t* newName;
        bool accepted;
        std::vector<std::u16string> names;
    };
    for (const Case& c : {Case{u"ANNA", true, {u"Anna", u"Bob"}}, Case{u"bob", false, {u"Anna", u"Bob"}},
                          Case{u"Eve", true, {u"Bob", u"Eve"}}})
    {
        SCOPED_TRACE(OrvaneEngine::WideToNarrow(c.newName));
        EXPECT_EQ(rename.RenameProfile(c.newName), c.accepted);
        std::vector<std::u16string> names = Names();
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.names);
    }
    rename.Show(true, u"Eve");
    rename.Show(false, u"Other");
    EXPECT_EQ(rename.GetOldName(), u"Eve") << "without the keep flag the kept name stays";

    GameFramework::GUIDeleteProfileWindowBase deletion(&Profiles());
    deletion.Show(u"Eve");
    deletion.DeleteProfile();
    EXPECT_EQ(Names(), std::vector<std::u16string>{u"Bob"});
}

TEST_F(ScreenBasesTest, TheModeListHoldsEachSizeOnceInOrder)
{
    GUIOptionsWindowBase options(&Engine(), &Sound(), &Profiles());
    for (auto [width, height] : {std::pair{1024u, 768u}, {640u, 480u}, {800u, 600u}, {800u, 600u}, {800u, 480u}})
        options.BuildModeList(width, height);
    std::vector<std::string> texts;
    for (const auto& entry : options.GetModes())
        texts.push_back(entry->text);
    EXPECT_EQ(texts, (std::vector<std::string>{"640x480", "800x480", "800x600", "1024x768"}));
    std::uint32_t index = 99;
    EXPECT_TRUE(options.FindModeIndex(800, 600, &index));
    EXPECT_EQ(index, 2u);
    EXPECT_FALSE(options.FindModeIndex(1280, 1024, &index));
    EXPECT_EQ(index, 2u);
}

TEST_F(ScreenBasesTest, OptionsShowFindsTheModeInUseOrTheDefault)
{
    ASSERT_EQ(Config().GetDefaultText("v_mode"), "800x600x32");
    struct Case
    {
        const char* mode;
        bool listsDefault;
        std::uint32_t index;
        std::uint32_t depth;
    };
    for (const Case& c : {Case{"1024X768X32", true, 2, 32}, Case{"640x480x16", true, 0, 16},
                          Case{"1280x1024x32", true, 1, 32}, Case{"1280x1024x16", false, 0, 16}})
    {
        SCOPED_TRACE(c.mode);
        GUIOptionsWindowBase options(&Engine(), &Sound(), &Profiles());
        options.BuildModeList(640, 480);
        options.BuildModeList(1024, 768);
        if (c.listsDefault)
            options.BuildModeList(800, 600);
        else
            options.BuildModeList(1152, 864);
        Config().videoMode = c.mode;
        Config().fullscreen = true;
        options.Show();
        EXPECT_EQ(options.modeIndex, c.index);
        EXPECT_EQ(options.colorDepth, c.depth);
        EXPECT_TRUE(options.fullscreenBox);
    }
}

TEST_F(ScreenBasesTest, OptionsApplyStoresTheChoicesAndAsksForAModeChangeOnlyWhenOneChanged)
{
    ProfileBase& profile = *Profiles().CreateProfile(u"Anna");
    Profiles().SetCurrentProfile(&profile, true);
    struct Case
    {
        const char* name;
        bool emptyList;
        std::uint32_t index;
        bool box;
        std::string mode;
        bool requested;
    };
    for (const Case& c : {Case{"nothing changed", false, 2, false, "1024X768X32", false},
                          Case{"another size", false, 1, false, "800x600x32", true},
                          Case{"the box", false, 2, true, "1024X768X32", true},
                          Case{"no modes", true, 0, false, "1024X768X32", false}})
    {
        SCOPED_TRACE(c.name);
        GUIOptionsWindowBase options(&Engine(), &Sound(), &Profiles());
        if (!c.emptyList)
        {
            for (auto [width, height] : {std::pair{640u, 480u}, {800u, 600u}, {1024u, 768u}})
                options.BuildModeList(width, height);
        }
        Config().videoMode = "1024X768X32";
        Config().fullscreen = false;
        ClearRequests();
        options.Show();
        options.modeIndex = c.index;
        options.fullscreenBox = c.box;
        Sound().SetSoundVolume(0.25f);
        Sound().SetMusicVolume(0.5f);
        profile.settings->soundVolume = 1.0f;
        profile.settings->musicVolume = 1.0f;
        RemoveIni();

        options.Apply();

        EXPECT_EQ(Config().videoMode, c.mode);
        EXPECT_EQ(Config().fullscreen, c.box);
        EXPECT_EQ(Requested("g_update_video_mode"), c.requested);
        EXPECT_TRUE(IniExists());
        EXPECT_FLOAT_EQ(profile.settings->soundVolume, 0.25f);
        EXPECT_FLOAT_EQ(profile.settings->musicVolume, 0.5f);
    }
}

TEST_F(ScreenBasesTest, OptionsDefaultsAndCancelMoveTheVolumesAtOnce)
{
    GUIOptionsWindowBase options(&Engine(), &Sound(), &Profiles());
    for (auto [width, height] : {std::pair{640u, 480u}, {800u, 600u}, {1024u, 768u}})
        options.BuildModeList(width, height);
    Config().videoMode = "1024x768x16";
    Config().fullscreen = false;
    Sound().SetSoundVolume(0.3f);
    Sound().SetMusicVolume(0.4f);
    options.Show();

    options.SetDefaults();
    EXPECT_EQ(options.modeIndex, 1u);
    EXPECT_EQ(options.colorDepth, 32u);
    EXPECT_TRUE(options.fullscreenBox);
    EXPECT_FLOAT_EQ(Sound().GetSoundVolume(), Sound().GetDefaultSoundVolume());
    EXPECT_FLOAT_EQ(Sound().GetMusicVolume(), Sound().GetDefaultMusicVolume());
    EXPECT_EQ(Config().videoMode, "1024x768x16") << "video settings change only at Apply";
    EXPECT_FALSE(Config().fullscreen);

    Sound().SetSoundVolume(0.9f);
    options.Cancel();
    EXPECT_FLOAT_EQ(Sound().GetSoundVolume(), 0.3f);
    EXPECT_FLOAT_EQ(Sound().GetMusicVolume(), 0.4f);
}

TEST_F(ScreenBasesTest, TheInGameMenuAppliesADifferentBoxAndKeepsTheVolumesWhenItCloses)
{
    ProfileBase& profile = *Profiles().CreateProfile(u"Anna");
    Profiles().SetCurrentProfile(&profile, true);
    GameFramework::GUIGameLogicMenuWindowBase menu(&Engine(), &Sound(), &Profiles());
    Config().fullscreen = false;
    ClearRequests();
    menu.Show();
    EXPECT_FALSE(menu.fullscreenBox);

    RemoveIni();
    menu.ApplyFullscreen();
    EXPECT_FALSE(Requested("v_window_change_mode")) << "an equal box changes nothing";
    EXPECT_FALSE(IniExists());

    menu.fullscreenBox = true;
    menu.ApplyFullscreen();
    EXPECT_TRUE(Config().fullscreen);
    EXPECT_TRUE(Requested("v_window_change_mode"));
    EXPECT_TRUE(IniExists());

    RemoveIni();
    Sound().SetSoundVolume(0.2f);
    Sound().SetMusicVolume(0.6f);
    menu.Hide();
    EXPECT_TRUE(IniExists());
    EXPECT_FLOAT_EQ(profile.settings->soundVolume, 0.2f);
    EXPECT_FLOAT_EQ(profile.settings->musicVolume, 0.6f);
}

TEST_F(ScreenBasesTest, ThePanelAddsTheScoresAndForgetsThemWhenHidden)
{
    game.StartLevel();
    GameFramework::GUIGameLogicWindowBase& panel = *game.GetPanel();
    Profiles().currentProfile->score = 300;
    game.GetLevel()->SetScore(45);
    panel.Show(game.GetLevel());
    EXPECT_EQ(panel.GetTotalScore(), 345u);
    panel.Hide();
    EXPECT_EQ(panel.GetGameLogic(), nullptr);
    EXPECT_EQ(panel.GetProfile(), nullptr);
    EXPECT_EQ(panel.GetTotalScore(), 0u);

    // The request goes through the window's messages.
    panel.MinimizeWindow();
    Frame();
    EXPECT_TRUE(wt::IsWindowMinimized(Engine().window->handle));
}

TEST_F(ScreenBasesTest, AltEnterMovesTheShownBoxesWhileTheChangeIsPending)
{
    game.CreateWindows();
    game.StartLevel();
    GUIOptionsWindowBase& options = *game.GetOptionsWindow();
    GameFramework::GUIGameLogicMenuWindowBase& menu = *game.GetGameLogicMenuWindow();
    GameFramework::GUIGameLogicWindowBase& panel = *game.GetPanel();
    Frame();
    const bool before = Config().fullscreen;
    options.Show();
    menu.Show();
    panel.Show(game.GetLevel());
    ASSERT_EQ(options.fullscreenBox, before);

    const win32::HWND window = Engine().window->handle;
    wt::PushKey(window, "Left Alt", true);
    wt::PushKey(window, "Return", true);
    Frame();
    ASSERT_EQ(Config().fullscreen, !before);
    EXPECT_EQ(options.fullscreenBox, !before);
    EXPECT_EQ(menu.fullscreenBox, !before);
    EXPECT_EQ(panel.IsFullscreen(), !before);

    // Still pending in the next frame; after it the boxes are the player's again.
    wt::PushKey(window, "Return", false);
    wt::PushKey(window, "Left Alt", false);
    options.fullscreenBox = before;
    menu.fullscreenBox = before;
    Frame();
    EXPECT_EQ(options.fullscreenBox, !before);
    EXPECT_EQ(menu.fullscreenBox, !before);
    options.fullscreenBox = before;
    menu.fullscreenBox = before;
    Frame();
    EXPECT_EQ(options.fullscreenBox, before);
    EXPECT_EQ(menu.fullscreenBox, before);
}

} // namespace
