// The game's application object built for real over a small data set: the
// engine settings, console variables and volumes it starts with, the texts and
// sounds it registers, and where each sound file is looked for.
#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "engine/sound/Sound.h"
#include "framework/SoundController.h"
#include "game/Game.h"
#include "game/GameLoader.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GameDataSet.h"
#include "tests/support/TestGameFolders.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace
{

using corvellan::test::GameDataSet;
using corvellan::test::TestGameFolders;
using GameFramework::SoundController;
namespace wt = win32::testing;

// The game as the loader makes it, with its framework parts in reach.
class InspectedGame : public Mirabel::Game
{
public:
    InspectedGame() : Game(Mirabel::GameLoader::Company, Mirabel::GameLoader::Title, Mirabel::GameLoader::Version) {}

    SoundController& Sounds() const { return *soundController; }
    std::string SoundFile(const std::string& group, const std::string& name) const
    {
        return FindSoundFile(group, name);
    }
};

class GameTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(GameDataSet::Write(folders.program.Path())); }

    std::string Ini() const
    {
        return corvellan::test::ReadFileText(folders.UserFolder() + "/Corvellan.ini").value_or("");
    }

    TestGameFolders folders{false};
};

TEST_F(GameTest, StartsInTheGamesModeWithItsIconCaptionVariablesAndVolumes)
{
    {
        InspectedGame game;
        OrvaneEngine::Engine& engine = *game.GetEngine();
        EXPECT_EQ(engine.settings->videoMode, "1024x768x32");
        EXPECT_TRUE(engine.settings->fullscreen);
        EXPECT_EQ(engine.settings->iconResource, 101u);
        EXPECT_EQ(wt::GetWindowIconId(engine.window->handle), 101u);
        // The framework's own choices stay.
        EXPECT_EQ(engine.settings->logName, "Corvellan");
        EXPECT_EQ(engine.settings->packFolder, "Data");

        EXPECT_EQ(wt::GetWindowTitle(engine.window->handle), "Corvellan \xC3\x89" "dition");
        EXPECT_EQ(engine.config->GetValueText("g_camera_type"), "1");
        EXPECT_EQ(engine.config->GetValueText("g_camera_value"), "1.000000");
        EXPECT_EQ(game.GetCameraType(), 1u);
        EXPECT_FLOAT_EQ(game.GetCameraValue(), 1.0f);
        EXPECT_EQ(engine.config->GetValueText("g_music_volume"), "0.160000");
        EXPECT_EQ(engine.config->GetValueText("g_sound_volume"), "0.700000");
        EXPECT_FLOAT_EQ(game.Sounds().GetMusicVolume(), 0.16f);
        EXPECT_FLOAT_EQ(game.Sounds().GetSoundVolume(), 0.7f);
    }
    // Saved on the way out, and read back unchanged by the next run.
    const std::string saved = Ini();
    EXPECT_NE(saved.find("g_camera_type"), std::string::npos) << saved;
    EXPECT_NE(saved.find("g_camera_value"), std::string::npos) << saved;

    std::string edited = saved;
    const std::size_t at = edited.find("g_camera_type");
    edited.replace(at, edited.find('\n', at) - at, "g_camera_type 7");
    ASSERT_TRUE(corvellan::test::WriteFileBytes(folders.UserFolder() + "/Corvellan.ini", edited));
    {
        InspectedGame game;
        EXPECT_EQ(game.GetCameraType(), 7u);
    }
    EXPECT_NE(Ini().find("g_camera_type 7"), std::string::npos) << Ini();
}

TEST_F(GameTest, TexturesMadeDuringTheStartUpHaveNoMipMaps)
{
    OrvaneEngine::SetDefaultMipMapping(true);
    InspectedGame game;
    // The fonts' atlas is the first texture the start-up makes.
    std::vector<OrvaneEngine::Texture2D*> textures;
    game.GetEngine()->shaderManager->GetTextureManager()->GetTextures(textures);
    std::vector<std::string> atlasKeys;
    for (const OrvaneEngine::Texture2D* texture : textures)
    {
        if (texture->GetKey().find("atlas") != std::string::npos)
            atlasKeys.push_back(texture->GetKey());
    }
    using OrvaneEngine::TextureManager;
    const std::string atlas = "data\\ui\\fonts\\atlas.tga";
    EXPECT_EQ(atlasKeys, std::vector<std::string>{TextureManager::MakeTextureKey(atlas, "", false)});
}

TEST_F(GameTest, EveryMissingScreenTextIsLoggedInOrderAndTheStartGoesOn)
{
    {
        InspectedGame game;
    }
    const std::string log = folders.LogText();
    const char* names[] = {
        "continue_game_logic", "delete_profile", "exit", "game_complete", "game_logic", "game_logic_exit",
        "game_logic_menu", "game_logic_pause", "game_logic_restart", "game_over", "help", "high_scores",
        "introduction", "level_complete", "loading", "main_menu", "mini_game", "new_profile", "options",
        "profile_name_conflict", "profiles", "relax", "rename_profile", "stage_complete", "start_game",
        "statistics", "tutorial", "welcome",
    };
    std::size_t from = 0;
    for (const char* name : names)
    {
        const std::string file = std::string("ui\\texts\\en\\") + name + ".ini";
        const std::size_t at = log.find(file, from);
        ASSERT_NE(at, std::string::npos) << name << " not logged after the one before";
        EXPECT_EQ(log.find(file, at + 1), std::string::npos) << name << " logged twice";
        from = at;
    }
    // The two files present are not complained of.
    EXPECT_EQ(log.find("ui\\texts\\en\\common.ini"), std::string::npos);
    EXPECT_EQ(log.find("ui\\texts\\en\\game_title.ini"), std::string::npos);
}

TEST_F(GameTest, RegistersTheGuiSoundsMusicAndEffectsOfTheTable)
{
    InspectedGame game;

    std::map<std::uint32_t, std::vector<std::string>> events;
    for (const auto& [event, entries] : game.GetEngine()->guiManager->GetSoundManager()->GetEvents())
    {
        for (const auto& entry : entries)
            events[event].push_back(entry->sound->GetName());
    }
    const std::string select = "audio\\menu\\button_select_0.wav";
    const std::string click = "audio\\menu\\button_click.wav";
    std::map<std::uint32_t, std::vector<std::string>> expectedEvents{
        {0, {select, "audio\\menu\\button_select_1.ogg"}},
        {1, {click}},
        {12, {"audio\\menu\\edit_box_print.ogg"}},
    };
    for (std::uint32_t event = 2; event <= 11; ++event)
        expectedEvents[event] = {event % 2 == 0 ? select : click};
    EXPECT_EQ(events, expectedEvents);

    const auto& music = game.Sounds().GetMusicEntries();
    ASSERT_EQ(music.size(), 3u);
    const char* tracks[] = {"audio\\music\\menu.ogg", "audio\\music\\game0.ogg", "audio\\music\\game1.ogg"};
    for (std::uint32_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(music[i]->trackId, i);
        EXPECT_EQ(music[i]->sound->GetName(), tracks[i]);
        EXPECT_TRUE(music[i]->sound->GetLoop()) << i;
    }

    const auto& effects = game.Sounds().GetSoundEntries();
    std::vector<std::uint32_t> order;
    for (const auto& entry : effects)
        order.push_back(entry->id);
    std::vector<std::uint32_t> expectedOrder{2, 3, 0, 1, 4};
    for (std::uint32_t id = 5; id < 30; ++id)
        expectedOrder.push_back(id);
    EXPECT_EQ(order, expectedOrder);
    const std::map<std::uint32_t, std::string> someFiles{
        {0, "audio\\menu\\volume_slider.ogg"},   {2, "audio\\menu\\window_appear.ogg"},
        {5, "audio\\game\\level_begin.ogg"},     {14, "audio\\game\\element_put_bad.ogg"},
        {21, "audio\\game\\bonus_rollback_apply.ogg"}, {29, "audio\\game\\totem_complete.ogg"},
    };
    for (const auto& entry : effects)
    {
        const bool loops = entry->id == 0 || entry->id == 4 || entry->id == 22 || entry->id == 24 ||
                           entry->id == 25 || entry->id == 27;
        EXPECT_EQ(entry->looping, loops) << entry->id;
        if (const auto file = someFiles.find(entry->id); file != someFiles.end())
        {
            EXPECT_EQ(entry->fileName, file->second);
        }
    }
}

TEST_F(GameTest, ASoundIsTheWavWhereverItIsElseTheOgg)
{
    InspectedGame game;
    struct Case
    {
        const char* group;
        const char* name;
        const char* file;
    };
    const Case cases[] = {
        {"menu", "button_click", "audio\\menu\\button_click.wav"},       // on disk
        {"menu", "button_select_0", "audio\\menu\\button_select_0.wav"}, // only in the pack
        {"music", "menu", "audio\\music\\menu.ogg"},                     // only the Ogg
        {"game", "path_begin", "audio\\game\\path_begin.ogg"},           // neither
    };
    for (const Case& c : cases)
        EXPECT_EQ(game.SoundFile(c.group, c.name), c.file) << c.name;

}

// Played, it is silence: the reader's one line at the start, no more.
TEST_F(GameTest, ASoundMissingInBothFormsIsReportedOnceAndPlaysSilence)
{
    {
        InspectedGame game;
        for (int frame = 0; frame < 3; ++frame)
        {
            game.Sounds().PlaySound(26);
            game.GetEngine()->Update();
            game.GetEngine()->Frame(0);
        }
    }
    const std::string log = folders.LogText();
    std::size_t count = 0;
    const std::string file = "path_warning.ogg";
    for (std::size_t at = log.find(file); at != std::string::npos; at = log.find(file, at + 1))
        ++count;
    EXPECT_EQ(count, 1u);
}

} // namespace
