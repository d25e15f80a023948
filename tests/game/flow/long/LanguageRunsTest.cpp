// The game from its first start to the main menu in each of its languages,
// on the built data set found through the registry's install path: the
// program's own folder holds no pack, and everything the game writes goes to
// the per-user folder. The sound goes to the disk driver's file, so what was
// really mixed can be read back.
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "game/menus/GUIMenuWindow.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/game/flow/long/RunPlaces.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GameRun.h"
#include "tests/support/PlayerSteps.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestGameFolders.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{

using namespace std::chrono_literals;

// The loudest sample of a 16-bit file.
int Peak(const std::string& bytes)
{
    int peak = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    {
        const auto sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                      static_cast<std::uint8_t>(bytes[i + 1]) << 8);
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

bool Uniform(const BackBuffer& buffer)
{
    const Rgb first = buffer.Pixel(0, 0);
    for (std::uint32_t y = 0; y < buffer.Height(); y += 8)
        for (std::uint32_t x = 0; x < buffer.Width(); x += 8)
            if (!Near(buffer.Pixel(x, y), first, 8))
                return false;
    return true;
}

class LanguageRunTest : public ::testing::TestWithParam<const char*>
{
};

TEST_P(LanguageRunTest, ReachesTheMainMenuWithTheLanguagesTextsAndMusic)
{
    const std::string code = GetParam();
    TestGameFolders folders(false);
    TempFolder audio("corvellan-audio");
    ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
    ScopedEnvironment audioFile("SDL_DISKAUDIOFILE", audio.Join("mixed.raw"));
    ASSERT_TRUE(RunPlaces::UseBuildFolder(folders, code));

    GameRun run(60s);
    std::string caption;
    std::u16string title;
    std::u16string menuTitle;
    bool uniform = true;
    std::size_t textsSeen = 0;
    PlayerSteps player(run);
    player.FirstStart("Ada", [&] {
        OrvaneEngine::Engine& engine = run.Engine();
        caption = win32::testing::GetWindowTitle(engine.window->handle);
        title = engine.guiManager->GetTextManager()->GetText("GAME_TITLE");
        menuTitle = ExposedGame::Menu(run.Game().mainMenuWindow)->GetTitle();
        uniform = Uniform(run.Grab());
        textsSeen = run.ShownTexts().size();
        win32::testing::PushQuit();
    });
    run.Play();

    ASSERT_EQ(run.Pending(), "") << "\n" << run.Trace();
    EXPECT_EQ(run.GetOutcome(), GameFramework::GameLoaderBase::Outcome::Ok);
    EXPECT_NE(title, u"UNKNOWN");
    EXPECT_EQ(caption, RunPlaces::Utf8(title));
    EXPECT_NE(menuTitle.find(u"Ada"), std::u16string::npos) << RunPlaces::Utf8(menuTitle);
    EXPECT_FALSE(uniform);
    // The menu's texts were read, so none of them printed "UNKNOWN".
    EXPECT_GT(textsSeen, 0u);
    EXPECT_FALSE(run.ShowedUnknownText());

    const std::string log = folders.LogText();
    for (const char* entry : {"Warning: ", "Error: ", "PROGRAM ABORTING"})
        EXPECT_EQ(log.find(entry), std::string::npos) << log.substr(log.find(entry), 300);
    EXPECT_NE(log.find("Log end"), std::string::npos);
    EXPECT_GT(Peak(ReadFileText(audio.Join("mixed.raw")).value_or("")), 64);
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageRunTest, ::testing::Values("en", "ge", "fr", "it", "sp", "ru", "cz"));

} // namespace
} // namespace corvellan::test
