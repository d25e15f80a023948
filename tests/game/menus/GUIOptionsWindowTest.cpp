// The options screen: sliders and live volumes, the test sound, the mode
// arrows, APPLY, DEFAULTS and CANCEL with what each writes, and the box
// that follows a pending window-style change.
#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/Engine.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "framework/ScreenSettings.h"
#include "framework/SoundController.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIOptionsWindow.h"
#include "tests/game/menus/MenuScreenFixture.h"
#include "tests/support/FileBytes.h"

#include <algorithm>
#include <cstdio>

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using Mirabel::GUIOptionsWindow;
using GameFramework::ScreenSettings;

const std::string Folder = "ui\\menus\\models\\options\\";

class GUIOptionsWindowTest : public MenuScreenFixture
{
protected:
    void SetUp() override
    {
        MenuScreenFixture::SetUp();
        ASSERT_TRUE(menu.data.Model(Folder + "slider_sound.mlf", 1, {80, 300, 340, 320}) &&
                    menu.data.Model(Folder + "slider_music.mlf", 1, {80, 350, 340, 370}) &&
                    menu.data.Model(Folder + "fullscreen_check_box.mlf", 1, {150, 140, 170, 160}) &&
                    menu.data.Model(Folder + "resolution_text.mlf", 1, {300, 250, 500, 280}) &&
                    menu.data.Model(Folder + "resolution_text_area.mlf", 1, {300, 250, 500, 280}) &&
                    menu.data.Model(Folder + "resolution_button_left.mlf", 1, {270, 250, 290, 270}) &&
                    menu.data.Model(Folder + "resolution_button_right.mlf", 1, {510, 250, 530, 270}));
    }

    GUIOptionsWindow& Open(float sound = 0.7f, float music = 0.16f)
    {
        menu.sounds->SetSoundVolume(sound);
        menu.sounds->SetMusicVolume(music);
        GUIOptionsWindow& screen = Add(std::make_unique<GUIOptionsWindow>(
            menu.engine, menu.sounds.get(), menu.profiles.get(), menu.gameData.get(), menu.manager.get(), nullptr));
        screen.Show();
        EXPECT_TRUE(OpenFully(screen));
        return screen;
    }

    Config& Settings() { return *menu.engine->config; }

    // As the game registers it.
    void RegisterModeRequest()
    {
        Settings().RegisterVariable(ScreenSettings::CommandUpdateVideoMode, ConfigVariable::TypeCommand, false, false,
                                    nullptr, "", false);
    }

    std::string IniPath()
    {
        std::string path = Settings().GetIniPath();
        std::replace(path.begin(), path.end(), '\\', '/');
        return path;
    }

    static std::uint32_t Position(const Mirabel::GUIControl& slider) { return slider.scroll->GetPosition(); }
};

TEST_F(GUIOptionsWindowTest, SlidersStandAtTheVolumesAndMoveThemOnlyPastATolerance)
{
    Start();
    menu.MakeCurrentProfile(u"Ann");
    GUIOptionsWindow& screen = Open();
    EXPECT_EQ(Position(*screen.soundSlider), 700u);
    EXPECT_EQ(Position(*screen.musicSlider), 160u);
    EXPECT_EQ(screen.soundSlider->scroll->GetPositionCount(), 1001u);
    EXPECT_EQ(screen.soundSlider->scroll->step, 30u);
    menu.Step(20);
    EXPECT_FLOAT_EQ(menu.sounds->GetSoundVolume(), 0.7f);
    EXPECT_FLOAT_EQ(menu.sounds->GetMusicVolume(), 0.16f);

    screen.Hide();
    ASSERT_TRUE(CloseFully(screen));
    ASSERT_EQ(Settings().Execute("g_sound_volume 0.7004"), Config::ExecuteDone);
    ASSERT_FLOAT_EQ(menu.sounds->GetSoundVolume(), 0.7004f);
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    EXPECT_EQ(Position(*screen.soundSlider), 700u);
    EXPECT_FLOAT_EQ(menu.sounds->GetSoundVolume(), 0.7004f);
    screen.soundSlider->scroll->SetPosition(705);
    menu.Step(20);
    EXPECT_FLOAT_EQ(menu.sounds->GetSoundVolume(), 0.705f);
    screen.musicSlider->scroll->SetPosition(200);
    menu.Step(20);
    EXPECT_FLOAT_EQ(menu.sounds->GetMusicVolume(), 0.2f);
}

TEST_F(GUIOptionsWindowTest, OnlyTheSoundSliderPlaysItsTestSoundWhileHeld)
{
    Start();
    // The looping test sound, on one of the fixture's silent files.
    menu.sounds->AddSound(GUIOptionsWindow::TestSound, MenuData::Sounds().at(1), true, 1);
    menu.MakeCurrentProfile(u"Ann");
    GUIOptionsWindow& screen = Open();
    for (const bool sound : {false, true})
    {
        SCOPED_TRACE(sound ? "sound" : "music");
        const Mirabel::GUIControl& slider = sound ? *screen.soundSlider : *screen.musicSlider;
        const Mirabel::GUIControl& other = sound ? *screen.musicSlider : *screen.soundSlider;
        const std::uint32_t before = Position(slider);
        const std::uint32_t otherBefore = Position(other);
        // The arrow is pressed where the slider's appear model put it.
        const Vector2 arrow = Middle(*slider.scroll->GetIncreaseButton());
        const float barTop = sound ? 320.0f : 370.0f;
        EXPECT_LT(arrow.y, barTop);
        EXPECT_GT(arrow.y, barTop - 20.0f);
        menu.MoveTo(static_cast<std::int32_t>(arrow.x), static_cast<std::int32_t>(arrow.y));
        menu.Step(20);
        menu.Press(true);
        menu.Step(20);
        menu.Step(20);
        EXPECT_TRUE(slider.scroll->IsDragging());
        EXPECT_FALSE(other.scroll->IsDragging());
        EXPECT_EQ(Position(slider), before + 30);
        EXPECT_EQ(Position(other), otherBefore);
        EXPECT_EQ(menu.SoundState(GUIOptionsWindow::TestSound) == 0, sound);
        menu.Press(false);
        menu.Step(20);
        menu.Step(20);
        EXPECT_NE(menu.SoundState(GUIOptionsWindow::TestSound), 0u);
    }
    EXPECT_FLOAT_EQ(menu.sounds->GetSoundVolume(), 0.73f);
    EXPECT_FLOAT_EQ(menu.sounds->GetMusicVolume(), 0.19f);
}

TEST_F(GUIOptionsWindowTest, ActionsWriteWhatTheyShould)
{
    Start();
    RegisterModeRequest();
    Mirabel::Profile& profile = menu.MakeCurrentProfile(u"Ann");
    const std::string profilePath = profile.GetFolder() + "/profiles/" + profile.GetFileName();
    struct Row
    {
        std::string name;
        std::function<std::vector<const Mirabel::GUIControl*>(GUIOptionsWindow&)> act;
        std::string mode;
        bool fullscreen;
        bool modeRequest;
        bool iniSaved;
        std::uint32_t result;
    };
    const Row rows[] = {
        {"apply unchanged", [](GUIOptionsWindow& s) { return std::vector<const Mirabel::GUIControl*>{s.applyControl.get()}; },
         "800x600x32", false, false, true, 3},
        {"right, box, apply",
         [this](GUIOptionsWindow& s) {
             ClickFrame({s.rightArrow.get()}, [] { return 0u; });
             s.fullscreenBoxControl->checkBox->checked = true;
             return std::vector<const Mirabel::GUIControl*>{s.applyControl.get()};
         },
         "1024x768x32", true, true, true, 3},
        {"sliders, cancel",
         [this](GUIOptionsWindow& s) {
             s.soundSlider->scroll->SetPosition(300);
             s.musicSlider->scroll->SetPosition(900);
             ClickFrame({s.leftArrow.get()}, [] { return 0u; });
             EXPECT_FLOAT_EQ(menu.sounds->GetSoundVolume(), 0.3f);
             return std::vector<const Mirabel::GUIControl*>{s.cancelControl.get()};
         },
         "800x600x32", false, false, false, 3},
        {"defaults",
         [](GUIOptionsWindow& s) { return std::vector<const Mirabel::GUIControl*>{s.defaultsControl.get()}; },
         "800x600x32", false, false, false, 0},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.name);
        Settings().videoMode = "800x600x32";
        Settings().fullscreen = false;
        Settings().SetCommandFlag(ScreenSettings::CommandUpdateVideoMode, true);
        std::remove(IniPath().c_str());
        std::remove(profilePath.c_str());
        GUIOptionsWindow& screen = Open(0.5f, 0.25f);
        EXPECT_EQ(ClickFrame(row.act(screen), [&] { return screen.result; }), row.result);
        EXPECT_EQ(Settings().videoMode, row.mode);
        EXPECT_EQ(Settings().fullscreen, row.fullscreen);
        EXPECT_EQ(!Settings().GetCommandFlag(ScreenSettings::CommandUpdateVideoMode), row.modeRequest);
        const auto ini = ReadFileText(IniPath());
        EXPECT_EQ(ini.has_value(), row.iniSaved);
        if (ini)
        {
            EXPECT_NE(ini->find("v_mode " + row.mode), std::string::npos) << *ini;
        }
        if (row.name == "defaults")
        {
            EXPECT_EQ(Position(*screen.soundSlider), static_cast<std::uint32_t>(menu.sounds->GetDefaultSoundVolume() * 1000.0f));
            EXPECT_FLOAT_EQ(menu.sounds->GetSoundVolume(), menu.sounds->GetDefaultSoundVolume());
            EXPECT_TRUE(screen.fullscreenBoxControl->checkBox->checked);
            EXPECT_FALSE(ReadFileText(profilePath).has_value());
        }
        else if (row.iniSaved)
        {
            ASSERT_TRUE(ReadFileText(profilePath).has_value());
            const Mirabel::Profile stored(menu.engine, profile.GetFileName(), profile.GetFolder());
            EXPECT_FLOAT_EQ(stored.settings->soundVolume, 0.5f);
            EXPECT_FLOAT_EQ(stored.settings->musicVolume, 0.25f);
        }
        else
        {
            EXPECT_FLOAT_EQ(menu.sounds->GetSoundVolume(), 0.5f);
            EXPECT_FLOAT_EQ(menu.sounds->GetMusicVolume(), 0.25f);
            EXPECT_FALSE(ReadFileText(profilePath).has_value());
        }
        screen.Hide();
        ASSERT_TRUE(CloseFully(screen));
    }
}

TEST_F(GUIOptionsWindowTest, TheArrowsStopAtBothEndsOfTheModeList)
{
    Start();
    menu.MakeCurrentProfile(u"Ann");
    Settings().videoMode = "640x480x32";
    GUIOptionsWindow& screen = Open();
    ASSERT_EQ(screen.GetModes().size(), 3u);
    EXPECT_EQ(screen.modeIndex, 0u);
    ClickFrame({screen.leftArrow.get()}, [] { return 0u; });
    EXPECT_EQ(screen.modeIndex, 0u);
    for (std::uint32_t expected : {1u, 2u, 2u})
    {
        ClickFrame({screen.rightArrow.get()}, [] { return 0u; });
        EXPECT_EQ(screen.modeIndex, expected);
    }
    menu.Update(20);
    const auto shown = MenuHarness::TextEntries(*screen.resolutionText->widget);
    menu.Render();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, u"1024x768");
    EXPECT_EQ(shown[0].fontId, 6u);
}

TEST_F(GUIOptionsWindowTest, TheBoxFollowsAPendingWindowStyleChangeEvenWhileHidden)
{
    Start();
    menu.MakeCurrentProfile(u"Ann");
    Settings().fullscreen = false;
    GUIOptionsWindow& screen = Open();
    EXPECT_FALSE(screen.fullscreenBoxControl->checkBox->checked);
    Settings().fullscreen = true;
    menu.Step(20);
    EXPECT_FALSE(screen.fullscreenBoxControl->checkBox->checked) << "no change pending";
    Settings().SetCommandFlag(ScreenSettings::CommandWindowChangeMode, false);
    menu.Step(20);
    EXPECT_TRUE(screen.fullscreenBoxControl->checkBox->checked);
    screen.Hide();
    ASSERT_TRUE(CloseFully(screen));
    Settings().fullscreen = false;
    menu.Step(20);
    EXPECT_FALSE(screen.fullscreenBoxControl->checkBox->checked);
}

TEST_F(GUIOptionsWindowTest, AltEnterWhileOpenShowsInTheBox)
{
    Start();
    menu.MakeCurrentProfile(u"Ann");
    Settings().fullscreen = false;
    Settings().SetCommandFlag(ScreenSettings::CommandWindowChangeMode, true);
    GUIOptionsWindow& screen = Open();
    ASSERT_FALSE(screen.fullscreenBoxControl->checkBox->checked);
    menu.Key("Left Alt", true);
    menu.Key("Return", true);
    PumpMessages();
    menu.Step(20);
    menu.Key("Return", false);
    menu.Key("Left Alt", false);
    PumpMessages();
    ASSERT_FALSE(Settings().GetCommandFlag(ScreenSettings::CommandWindowChangeMode));
    ASSERT_TRUE(Settings().fullscreen);
    menu.Step(20);
    EXPECT_TRUE(screen.fullscreenBoxControl->checkBox->checked);
    EXPECT_TRUE(screen.fullscreenBox);
    // The switch done, the box keeps what it showed.
    Settings().SetCommandFlag(ScreenSettings::CommandWindowChangeMode, true);
    menu.Step(20);
    EXPECT_TRUE(screen.fullscreenBoxControl->checkBox->checked);
}

} // namespace
} // namespace corvellan::test
