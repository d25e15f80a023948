// The menus end to end on the built data set, from an empty per-user
// folder: the first start's welcome, the main menu greeting the new player,
// the options' sound slider applied to the ini file and the profile, the
// empty high-score table and back, and the exit question's YES.
#include "engine/core/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUITextManager.h"
#include "framework/SoundController.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIExitWindow.h"
#include "game/menus/GUIHighScoresWindow.h"
#include "game/menus/GUIMainMenuWindow.h"
#include "game/menus/GUIOptionsWindow.h"
#include "tests/game/flow/long/RunPlaces.h"
#include "tests/support/GameRun.h"
#include "tests/support/LevelScripts.h"
#include "tests/support/PlayerSteps.h"
#include "tests/support/TestGameFolders.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <string>

namespace corvellan::test
{
namespace
{

using namespace std::chrono_literals;
using Mirabel::GUIMainMenuWindow;

// The value after "name " on its own line of the ini text; -1 when absent.
float IniValue(const std::string& ini, const std::string& name)
{
    const std::size_t at = ini.find("\n" + name + " ");
    if (at == std::string::npos)
        return -1.0f;
    return std::stof(ini.substr(at + name.size() + 2, 16));
}

std::string FloatBytes(float value)
{
    std::string bytes(sizeof value, '\0');
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

TEST(MenuRunTest, WelcomeOptionsHighScoresAndExitWriteWhatThePlayerChose)
{
    TestGameFolders folders(false);
    ASSERT_TRUE(RunPlaces::UseBuildFolder(folders));

    GameRun run(120s);
    ExposedGame* game = nullptr;
    std::u16string greeting;
    float volumeBefore = 0.0f;
    float volumeApplied = 0.0f;
    std::uint32_t held = 0;
    OrvaneEngine::Vector2 grip;
    bool noRecordsShown = false;
    std::u16string noRecords;
    PlayerSteps player(run);
    player.FirstStart("Ann", [&] {
        game = &run.Game();
        greeting = ExposedGame::Menu(game->mainMenuWindow)->GetTitle();
        player.PressMainMenu(GUIMainMenuWindow::Options);
    });
    run.Then("options open", [&] { return ExposedGame::IsSettled(game->optionsWindow); },
              [&] {
                  auto& options = ExposedGame::As<Mirabel::GUIOptionsWindow>(game->optionsWindow);
                  volumeBefore = game->soundController->GetSoundVolume();
                  // The thumb's hit area spans the whole track: a press anywhere grabs it.
                  grip = GameRun::HitCentre(*options.soundSlider->scroll->GetThumb());
                  run.Mouse().MoveTo(grip);
              })
        // The pointer rests on the thumb for a frame, then the button goes
        // down there and the thumb is dragged along for a few frames.
        .Then("pointer on the sound slider", [&] { return true; }, [&] { run.Mouse().Button(0, true); })
        .Then("sound slider dragged",
              [&] {
                  grip.x += 10.0f;
                  run.Mouse().MoveTo(grip);
                  return ++held > 4;
              },
              [&] { run.Mouse().Button(0, false); })
        .Then("sound slider let go", [&] { return ++held > 6; },
              [&] {
                  volumeApplied = game->soundController->GetSoundVolume();
                  player.Press(game->optionsWindow, &Mirabel::GUIOptionsWindow::applyControl);
              })
        .Then("main menu open after the options", [&] { return ExposedGame::IsSettled(game->mainMenuWindow); },
              [&] { player.PressMainMenu(GUIMainMenuWindow::HighScores); })
        .Then("high scores open", [&] { return ExposedGame::IsSettled(game->highScoresWindow); },
              [&] {
                  noRecords = run.Engine().guiManager->GetTextManager()->GetText("HIGH_SCORES_NO_RECORDS");
                  noRecordsShown = run.Shows(noRecords);
                  player.Press(game->highScoresWindow, &Mirabel::GUIHighScoresWindow::okControl);
              })
        .Then("main menu open after the high scores", [&] { return ExposedGame::IsSettled(game->mainMenuWindow); },
              [&] { player.PressMainMenu(GUIMainMenuWindow::Exit); })
        .Then("exit question open", [&] { return ExposedGame::IsSettled(game->exitWindow); },
              [&] { player.Press(game->exitWindow, &Mirabel::GUIExitWindow::yesControl); });
    run.Play();

    ASSERT_EQ(run.Pending(), "") << "\n" << run.Trace();
    EXPECT_EQ(run.GetOutcome(), GameRun::Outcome::Ok);
    EXPECT_FALSE(run.ShowedUnknownText());
    EXPECT_NE(greeting.find(u"Ann"), std::u16string::npos) << RunPlaces::Utf8(greeting);
    EXPECT_NE(noRecords, u"UNKNOWN");
    EXPECT_TRUE(noRecordsShown);

    // The slider moved the volume, and APPLY kept it in both places.
    EXPECT_GT(std::fabs(volumeApplied - volumeBefore), 0.02f) << volumeApplied;
    const std::string ini = RunPlaces::UserFile(folders, ".ini").value_or("");
    EXPECT_NEAR(IniValue(ini, "g_sound_volume"), volumeApplied, 0.001f) << ini;
    const std::string profile = RunPlaces::UserFile(folders, ".prf").value_or("");
    EXPECT_NE(profile.find(FloatBytes(volumeApplied)), std::string::npos);
    EXPECT_NE(profile.find(RunPlaces::Utf16Bytes(u"Ann")), std::string::npos);
    const std::string list = RunPlaces::UserFile(folders, "profiles.pmf").value_or("");
    EXPECT_NE(list.find(RunPlaces::Utf16Bytes(u"Ann")), std::string::npos);
    const std::string log = folders.LogText();
    EXPECT_NE(log.find("Log end"), std::string::npos);
}

} // namespace
} // namespace corvellan::test
