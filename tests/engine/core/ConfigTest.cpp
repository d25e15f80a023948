#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "platform/win32/testing/CFileHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using namespace OrvaneEngine;

namespace
{

using V = ConfigVariable;

// ASCII text as a UTF-16 little-endian file with its mark.
std::string Utf16LittleEndian(const std::string& ascii)
{
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii)
    {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

class ConfigTest : public ::testing::Test
{
protected:
    // The file manager's start-up line is not the Config's business.
    void SetUp() override { log.ClearMessages(); }
    void TearDown() override { win32::testing::ResetFileHooks(); }

    // A fresh Config over the fixture's folder, as the engine builds it.
    std::unique_ptr<Config> Make(const std::string& baseName = "Test", bool forceMode = false,
                                 const std::string& mode = "1024x768x32", bool forceFullscreen = false,
                                 bool fullscreen = true)
    {
        return std::make_unique<Config>(&log, &files, folder.Path(), baseName, forceMode, mode, forceFullscreen,
                                        fullscreen);
    }
    std::string IniPath() const { return folder.Join("Test.ini"); }
    void WriteIni(const std::string& bytes) { ASSERT_TRUE(corvellan::test::WriteFileBytes(IniPath(), bytes)); }
    std::string ReadIni() const { return corvellan::test::ReadFileText(IniPath()).value_or("<missing>"); }

    corvellan::test::TempFolder folder;
    MessageManager log{"Test", false, false, "", ""};
    FileManager files{&log, folder.Path(), "Data"};
};

TEST_F(ConfigTest, ExecuteCodesAndLineRules)
{
    auto config = Make();
    std::uint32_t number = 0;
    std::uint32_t readOnly = 0;
    config->RegisterVariable("g_number", V::TypeUInt, false, true, &number, "1", false);
    config->RegisterVariable("g_fixed", V::TypeUInt, true, true, &readOnly, "7", false);
    config->RegisterVariable("g_go", V::TypeCommand, false, false, nullptr, "", false);

    const struct
    {
        const char* line;
        std::uint32_t code;
        const char* name;
        std::uint32_t numberAfter; // g_number afterwards (starts at 1 for each line)
    } cases[] = {
        {"G_NUMBER 5", 0, "g_number", 5},
        {"\\g_number 6", 0, "g_number", 6},
        {"\\\\\\g_number 6", 0, "g_number", 6},
        {"  g_number\t8  ", 0, "g_number", 8},
        {"g_number 9 \\\\ note", 0, "g_number", 9},
        {"g_number 10\\\\note", 0, "g_number", 10},
        {"g_number", 3, "g_number", 1},
        {"g_number \\\\ only a note", 3, "g_number", 1},
        {"", 5, "", 1},
        {"   \t ", 5, "", 1},
        {"\\\\", 5, "", 1},
        // Pairs of blanks are deleted: two join name and value, three leave one.
        {"g_number  11", 4, "g_number11", 1},
        {"g_number   12", 0, "g_number", 12},
        {"g_unknown 1", 4, "g_unknown", 1},
        {"g_fixed 3", 2, "g_fixed", 1},
        {"g_fixed", 3, "g_fixed", 1},
        {"g_go with some words", 0, "g_go", 1},
    };
    for (const auto& c : cases)
    {
        number = 1;
        std::string name = "stale";
        EXPECT_EQ(config->Execute(c.line, &name), c.code) << c.line;
        EXPECT_EQ(name, c.name) << c.line;
        EXPECT_EQ(number, c.numberAfter) << c.line;
        EXPECT_EQ(readOnly, 7u) << c.line;
    }
    EXPECT_FALSE(config->GetCommandFlag("g_go"));
    EXPECT_EQ(config->Execute("g_number 4"), 0u);
    EXPECT_EQ(number, 4u);
}

TEST_F(ConfigTest, TextFormsByType)
{
    auto config = Make();
    std::uint32_t number = 0;
    float decimal = 0.0f;
    bool flag = false;
    std::string text;
    config->RegisterVariable("g_u", V::TypeUInt, false, true, &number, "0", false);
    config->RegisterVariable("g_f", V::TypeFloat, false, true, &decimal, "0", false);
    config->RegisterVariable("g_b", V::TypeBool, false, true, &flag, "0", false);
    config->RegisterVariable("g_s", V::TypeString, false, true, &text, "", false);

    const struct
    {
        const char* line;
        const char* name;
        const char* printed;
    } cases[] = {
        {"g_u -1", "g_u", "-1"},          {"g_u 42abc", "g_u", "42"},   {"g_u abc", "g_u", "0"},
        {"g_f 2", "g_f", "2.000000"},     {"g_f 0.95", "g_f", "0.950000"}, {"g_f x", "g_f", "0.000000"},
        {"g_b yes", "g_b", "0"},          {"g_b -3", "g_b", "1"},       {"g_b true", "g_b", "0"},
        {"g_s two words", "g_s", "two words"},
    };
    for (const auto& c : cases)
    {
        ASSERT_EQ(config->Execute(c.line), 0u) << c.line;
        EXPECT_EQ(config->GetValueText(c.name), c.printed) << c.line;
    }
    ASSERT_EQ(config->Execute("g_u -1"), 0u);
    EXPECT_EQ(number, 4294967295u);
    EXPECT_EQ(config->GetValueText("G_U"), "-1");
    EXPECT_EQ(config->GetValueText("nothing"), "");
    EXPECT_EQ(config->GetValueText("exit"), "");
    EXPECT_EQ(config->GetDefaultText("v_gamma"), "1.0");
}

TEST_F(ConfigTest, RegistrationWritesTheDefaultOnceAndKeepsTheFirstBinding)
{
    auto config = Make();
    std::uint32_t first = 99;
    std::uint32_t second = 42;
    config->RegisterVariable("G_Twice", V::TypeUInt, false, true, &first, "3", false);
    EXPECT_EQ(first, 3u);
    config->RegisterVariable("g_twice", V::TypeFloat, true, false, &second, "8", false);
    EXPECT_EQ(second, 42u);
    ASSERT_EQ(config->Execute("g_twice 5"), 0u);
    EXPECT_EQ(first, 5u);
    EXPECT_EQ(second, 42u);
}

TEST_F(ConfigTest, PendingIniLinesWaitForTheirRegistration)
{
    WriteIni("g_late 5\r\ng_late 6\r\ng_fixed 9\r\nv_gamma 2.5\r\n");
    auto config = Make();
    config->Load();
    EXPECT_FLOAT_EQ(config->gamma, 2.5f);

    std::uint32_t late = 0;
    std::uint32_t fixed = 0;
    config->RegisterVariable("g_late", V::TypeUInt, false, true, &late, "1", false);
    config->RegisterVariable("g_fixed", V::TypeUInt, true, true, &fixed, "1", false);
    EXPECT_EQ(late, 5u) << "the first line wins, after the default";
    EXPECT_EQ(fixed, 1u) << "a read-only variable refuses its line";

    // A rebinding takes the kept text; the line was used up.
    config->Execute("g_late 7");
    config->UnbindVariable("g_late");
    config->RegisterVariable("g_late", V::TypeUInt, false, true, &late, "1", false);
    EXPECT_EQ(late, 7u);
}

TEST_F(ConfigTest, UnbindSaveAndRebindKeepTheText)
{
    auto config = Make();
    {
        float volume = 0.0f;
        config->RegisterVariable("g_music_volume", V::TypeFloat, false, true, &volume, "1.0", false);
        ASSERT_EQ(config->Execute("g_music_volume 0.5"), 0u);
        config->UnbindVariable("g_music_volume");
        volume = 0.25f; // the owner's storage goes away; the kept text must not follow it
    }
    EXPECT_EQ(config->Execute("g_music_volume 0.75"), 4u);
    EXPECT_EQ(config->GetValueText("g_music_volume"), "0.500000");
    EXPECT_EQ(config->GetDefaultText("g_music_volume"), "1.0");
    EXPECT_FALSE(config->GetCommandFlag("g_music_volume"));

    std::vector<std::string> names;
    config->GetNames(names);
    EXPECT_EQ(std::find(names.begin(), names.end(), "g_music_volume"), names.end());
    EXPECT_EQ(names.size(), 22u);

    config->ResetAll();
    config->Execute("reset_config");
    config->Update();
    EXPECT_EQ(config->GetValueText("g_music_volume"), "0.500000");

    config->Save();
    EXPECT_NE(ReadIni().find("g_music_volume 0.500000\r\n"), std::string::npos);

    float again = 0.0f;
    config->RegisterVariable("g_music_volume", V::TypeFloat, false, true, &again, "1.0", false);
    EXPECT_FLOAT_EQ(again, 0.5f);
    EXPECT_EQ(config->Execute("g_music_volume 0.75"), 0u);
    EXPECT_FLOAT_EQ(again, 0.75f);
}

TEST_F(ConfigTest, WatchedVariablesReportChanges)
{
    auto config = Make();
    float decimal = 0.0f;
    std::uint32_t number = 0;
    bool flag = false;
    std::string text;
    std::uint32_t quiet = 0;
    config->RegisterVariable("w_f", V::TypeFloat, false, false, &decimal, "1.0", true);
    config->RegisterVariable("w_u", V::TypeUInt, false, false, &number, "1", true);
    config->RegisterVariable("w_b", V::TypeBool, false, false, &flag, "1", true);
    config->RegisterVariable("w_s", V::TypeString, false, false, &text, "a", true);
    config->RegisterVariable("w_quiet", V::TypeUInt, false, false, &quiet, "1", false);
    const char* watched[] = {"w_f", "w_u", "w_b", "w_s"};

    for (const char* name : watched)
        EXPECT_TRUE(config->HasChanged(name)) << name << " reads changed from its registration";
    config->Update();
    config->ClearChangedFlags();
    config->Update();
    for (const char* name : watched)
        EXPECT_FALSE(config->HasChanged(name)) << name;

    decimal += 0.00005f;
    config->Update();
    EXPECT_FALSE(config->HasChanged("w_f"));

    const struct
    {
        const char* line;
        const char* name;
    } moves[] = {{"w_f 1.001", "w_f"}, {"w_u 2", "w_u"}, {"w_b 0", "w_b"}, {"w_s b", "w_s"}, {"w_quiet 5", nullptr}};
    for (const auto& move : moves)
    {
        config->ClearChangedFlags();
        ASSERT_EQ(config->Execute(move.line), 0u);
        config->Update();
        for (const char* name : watched)
            EXPECT_EQ(config->HasChanged(name), move.name != nullptr && std::string(name) == move.name)
                << move.line << " / " << name;
        EXPECT_FALSE(config->HasChanged("w_quiet"));
    }
}

TEST_F(ConfigTest, ResetConfigRestoresDefaultsAndIdlesCommands)
{
    auto config = Make();
    std::uint32_t fixed = 0;
    config->RegisterVariable("g_fixed", V::TypeUInt, true, true, &fixed, "1", false);
    fixed = 9;
    ASSERT_EQ(config->Execute("v_gamma 2"), 0u);
    ASSERT_EQ(config->Execute("v_mode 640x480x16"), 0u);
    ASSERT_EQ(config->Execute("exit"), 0u);
    ASSERT_EQ(config->Execute("reset_config"), 0u);
    EXPECT_FALSE(config->GetCommandFlag("exit"));
    config->Update();
    EXPECT_FLOAT_EQ(config->gamma, 1.0f);
    EXPECT_EQ(config->videoMode, "1024x768x32");
    EXPECT_TRUE(config->GetCommandFlag("exit"));
    EXPECT_TRUE(config->GetCommandFlag("reset_config"));
    EXPECT_EQ(fixed, 9u) << "read-only variables are not reset";
}

TEST_F(ConfigTest, CommandFlagLookupIsExact)
{
    auto config = Make();
    EXPECT_TRUE(config->GetCommandFlag("EXIT"));
    config->SetCommandFlag("EXIT", false);
    EXPECT_TRUE(config->GetCommandFlag("exit"));
    config->SetCommandFlag("exit", false);
    EXPECT_FALSE(config->GetCommandFlag("exit"));
    EXPECT_FALSE(config->GetCommandFlag("no_such_command"));
    EXPECT_FALSE(config->HasChanged("no_such_variable"));
}

TEST_F(ConfigTest, EngineVariablesAndTheirDefaults)
{
    auto config = Make("Test", false, "", false, false);
    std::vector<std::string> names;
    config->GetNames(names);
    const std::vector<std::string> expected = {
        "c_invert_mouse",         "exit",
        "r_show_faces_edges",     "r_show_faces_normals",
        "r_show_mip_maps",        "r_show_octree_nodes",
        "r_texture_anisotropy",   "r_use_mip_mapping",
        "reset_config",           "sc_start_movie_record",
        "sc_stop_movie_record",   "sc_take_screenshot",
        "sc_take_screenshot_format", "sc_take_screenshot_jpg",
        "sc_take_screenshot_tga", "v_brightness",
        "v_contrast",             "v_fullscreen",
        "v_gamma",                "v_mode",
        "v_vsync",                "v_window_change_mode",
    };
    EXPECT_EQ(names, expected);
    EXPECT_EQ(config->videoMode, "800x600x32");
    EXPECT_FALSE(config->fullscreen);
    EXPECT_TRUE(config->verticalSync);
    EXPECT_FLOAT_EQ(config->brightness, 1.0f);
    EXPECT_FLOAT_EQ(config->contrast, 1.0f);
    EXPECT_FLOAT_EQ(config->gamma, 1.0f);
    EXPECT_TRUE(config->useMipMapping);
    EXPECT_FALSE(config->showOctreeNodes || config->showFacesEdges || config->showFacesNormals ||
                 config->showMipMaps || config->invertMouse);
    EXPECT_EQ(config->textureAnisotropy, 1u);
    EXPECT_EQ(config->screenshotFormat, 0u);
    for (const char* command : {"reset_config", "v_window_change_mode", "sc_take_screenshot", "sc_take_screenshot_tga",
                                "sc_take_screenshot_jpg", "sc_start_movie_record", "sc_stop_movie_record", "exit"})
        EXPECT_TRUE(config->GetCommandFlag(command)) << command;
}

TEST_F(ConfigTest, IniPathFromFolderAndName)
{
    EXPECT_EQ(Make("Game")->GetIniPath(), folder.Path() + "\\Game.ini");
    EXPECT_EQ(Make("")->GetIniPath(), folder.Path() + "\\Orvane Engine.ini");
    Config relative(&log, &files, "", "", false, "", false, true);
    EXPECT_EQ(relative.GetIniPath(), "Orvane Engine.ini");
}

TEST_F(ConfigTest, GoldenIniBytes)
{
    auto config = Make();
    std::uint32_t hidden = 5;
    std::uint32_t fixed = 5;
    std::string name;
    config->RegisterVariable("G_Upper", V::TypeString, false, true, &name, "Big Red Ball", false);
    config->RegisterVariable("g_hidden", V::TypeUInt, false, false, &hidden, "5", false);
    config->RegisterVariable("g_fixed", V::TypeUInt, true, true, &fixed, "5", false);
    config->RegisterVariable("g_saved_command", V::TypeCommand, false, true, nullptr, "", false);
    ASSERT_EQ(config->Execute("v_gamma 1.25"), 0u);
    ASSERT_EQ(config->Execute("sc_take_screenshot_format -1"), 0u);
    config->Save();
    EXPECT_EQ(ReadIni(), "c_invert_mouse 0\r\n"
                         "g_upper Big Red Ball\r\n"
                         "r_show_faces_edges 0\r\n"
                         "r_show_faces_normals 0\r\n"
                         "r_show_mip_maps 0\r\n"
                         "r_show_octree_nodes 0\r\n"
                         "r_texture_anisotropy 1\r\n"
                         "r_use_mip_mapping 1\r\n"
                         "sc_take_screenshot_format -1\r\n"
                         "v_brightness 1.000000\r\n"
                         "v_contrast 1.000000\r\n"
                         "v_fullscreen 1\r\n"
                         "v_gamma 1.250000\r\n"
                         "v_mode 1024x768x32\r\n"
                         "v_vsync 1\r\n");
    EXPECT_EQ(log.GetMessageCount(), 0);

    // And a fresh Config reads it back to the same values.
    auto again = Make();
    again->Load();
    EXPECT_FLOAT_EQ(again->gamma, 1.25f);
    EXPECT_EQ(again->screenshotFormat, 4294967295u);
}

TEST_F(ConfigTest, LoadReadsEveryLineEndAndEncoding)
{
    const struct
    {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"LF", "v_gamma 2\nv_mode 640x480x16\nc_invert_mouse 1"},
        {"CR LF", "v_gamma 2\r\nv_mode 640x480x16\r\nc_invert_mouse 1\r\n"},
        {"CR", "v_gamma 2\rv_mode 640x480x16\rc_invert_mouse 1\r"},
        {"comments", "// settings\r\nv_gamma 2 // doubled\r\n\r\nv_mode 640x480x16//x\r\n  c_invert_mouse   1\r\n"},
        {"UTF-16", Utf16LittleEndian("v_gamma 2\r\nv_mode 640x480x16\nc_invert_mouse 1")},
        {"UTF-8", "\xEF\xBB\xBFv_gamma 2\nv_mode 640x480x16\nc_invert_mouse 1\n"},
    };
    for (const auto& c : cases)
    {
        WriteIni(c.bytes);
        auto config = Make();
        config->Load();
        EXPECT_FLOAT_EQ(config->gamma, 2.0f) << c.what;
        EXPECT_EQ(config->videoMode, "640x480x16") << c.what;
        EXPECT_TRUE(config->invertMouse) << c.what;
    }
}

TEST_F(ConfigTest, LoadWithoutFileKeepsDefaultsSilently)
{
    auto config = Make();
    ASSERT_EQ(config->Execute("v_gamma 3"), 0u);
    config->Load();
    EXPECT_FLOAT_EQ(config->gamma, 1.0f);
    EXPECT_EQ(log.GetMessageCount(), 0);
}

TEST_F(ConfigTest, ForceFlagsResetAfterLoad)
{
    WriteIni("v_mode 640x480x16\r\nv_fullscreen 0\r\n");
    const struct
    {
        bool forceMode;
        const char* mode;
        bool forceFullscreen;
        const char* expectedMode;
        bool expectedFullscreen;
    } cases[] = {
        {false, "1024x768x32", false, "640x480x16", false},
        {true, "1024x768x32", false, "1024x768x32", false},
        {false, "1024x768x32", true, "640x480x16", true},
        // An empty mode also turns forcing off.
        {true, "", true, "640x480x16", true},
    };
    for (const auto& c : cases)
    {
        auto config = Make("Test", c.forceMode, c.mode, c.forceFullscreen, true);
        config->Load();
        EXPECT_EQ(config->videoMode, c.expectedMode) << c.forceMode << c.mode << c.forceFullscreen;
        EXPECT_EQ(config->fullscreen, c.expectedFullscreen) << c.forceMode << c.mode << c.forceFullscreen;
    }
}

TEST_F(ConfigTest, FailedSaveIsLoggedAndKeepsTheOldIni)
{
    WriteIni("v_gamma 2\r\n");
    const win32::testing::FileCall calls[] = {win32::testing::FileCall::Write, win32::testing::FileCall::Flush,
                                              win32::testing::FileCall::Sync, win32::testing::FileCall::Close,
                                              win32::testing::FileCall::Rename};
    for (const auto call : calls)
    {
        auto config = Make();
        ASSERT_EQ(config->Execute("v_gamma 3"), 0u);
        log.ClearMessages();
        win32::testing::FailFileCall(call, 1, "Test.ini");
        config->Save();
        win32::testing::ResetFileHooks();
        EXPECT_EQ(ReadIni(), "v_gamma 2\r\n") << static_cast<int>(call);
        EXPECT_FALSE(corvellan::test::ReadFileText(IniPath() + ".tmp").has_value());
        ASSERT_EQ(log.GetMessageCount(), 1) << static_cast<int>(call);
        const LogMessage entry = log.GetMessage(0);
        EXPECT_EQ(entry.level, 2u);
        EXPECT_EQ(entry.text.rfind("\nError: Failed to write ", 0), 0u) << entry.text;
        EXPECT_NE(entry.text.find("Test.ini\" file!\n\n"), std::string::npos) << entry.text;
    }
    // The same save without the failure goes through.
    auto config = Make();
    ASSERT_EQ(config->Execute("v_gamma 3"), 0u);
    config->Save();
    EXPECT_NE(ReadIni().find("v_gamma 3.000000\r\n"), std::string::npos);
}

TEST_F(ConfigTest, ParseVideoMode)
{
    const struct
    {
        const char* text;
        std::uint32_t width, height, bits;
    } cases[] = {
        {"1024x768x32", 1024, 768, 32}, {"1024X768X32", 1024, 768, 32}, {"800x600", 640, 480, 16},
        {"", 640, 480, 16},             {"axbxc", 0, 0, 0},            {"1280x1024x", 1280, 1024, 0},
        {"x600x16", 0, 600, 16},
    };
    for (const auto& c : cases)
    {
        std::uint32_t width = 1, height = 1, bits = 1;
        ParseVideoMode(c.text, &width, &height, &bits);
        EXPECT_EQ(width, c.width) << c.text;
        EXPECT_EQ(height, c.height) << c.text;
        EXPECT_EQ(bits, c.bits) << c.text;
    }
    std::uint32_t width = 0;
    ParseVideoMode("320x200x8", &width, nullptr, nullptr);
    EXPECT_EQ(width, 320u);
    ParseVideoMode("320x200x8", nullptr, nullptr, nullptr);
}

} // namespace
