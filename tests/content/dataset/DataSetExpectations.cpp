#include "tests/content/dataset/DataSetExpectations.h"

#include "engine/gui/GUITextManager.h"
#include "framework/GameBase.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace corvellan::test
{

namespace
{

// Key lines "<prefix>0" to "<prefix><count - 1>".
std::vector<std::string> Numbered(const std::string& prefix, int count)
{
    std::vector<std::string> keys;
    for (int line = 0; line < count; ++line)
        keys.push_back(prefix + std::to_string(line));
    return keys;
}

std::vector<std::string> Join(std::vector<std::string> keys, const std::vector<std::string>& more)
{
    keys.insert(keys.end(), more.begin(), more.end());
    return keys;
}

} // namespace

const std::vector<ExpectedStage>& ExpectedStages()
{
    static const std::vector<ExpectedStage> stages = {
        {3, 0, {{"meadow", 12}, {"harbour", 12}, {"lantern_festival", 15}}},
        {3, 10, {{"glass_garden", 15}, {"desert_dunes", 20}, {"night_city", 20}}},
        {4, 15, {{"koi_pond", 20}, {"mountain_lake", 24}, {"patchwork", 24}, {"aurora", 30}}},
        {4, 15, {{"coral_reef", 30}, {"clockwork", 35}, {"autumn_forest", 35}, {"star_chart", 40}}},
    };
    return stages;
}

const std::vector<ExpectedSound>& ExpectedSounds()
{
    static const std::vector<ExpectedSound> sounds = [] {
        std::vector<ExpectedSound> list;
        for (const char* name : {"button_select_0", "button_select_1", "button_click", "edit_box_print"})
            list.push_back({"menu", name, false, "wav"});
        for (const char* name : {"menu", "game0", "game1"})
            list.push_back({"music", name, true, "ogg"});
        list.push_back({"menu", "volume_slider", true, "wav"});
        list.push_back({"menu", "upgrade", false, "ogg"});
        list.push_back({"menu", "window_appear", false, "wav"});
        list.push_back({"menu", "window_disappear", false, "wav"});
        list.push_back({"menu", "charge_score", true, "wav"});
        const std::vector<std::pair<const char*, bool>> game = {
            {"level_begin", false},        {"level_complete", false},       {"level_failed", false},
            {"element_get", false},        {"element_put_0", false},        {"element_put_1", false},
            {"element_put_2", false},      {"element_put_3", false},        {"element_put_4", false},
            {"element_put_bad", false},    {"element_cancel", false},       {"bonus_tip", false},
            {"bonus_magnet", false},       {"bonus_tip_apply", false},      {"bonus_magnet_apply", false},
            {"bonus_pause_apply", false},  {"bonus_rollback_apply", false}, {"path_introduction", true},
            {"path_introduction_end", false}, {"path_begin", true},         {"path_end", true},
            {"path_warning", false},       {"charge_path_score", true},     {"totem_flip", false},
            {"totem_complete", false},
        };
        for (const auto& [name, looping] : game)
            list.push_back({"game", name, looping, "wav"});
        return list;
    }();
    return sounds;
}

const std::vector<std::string>& AllLanguageCodes()
{
    static const std::vector<std::string> codes = {"en", "ru", "ge", "fr", "it", "sp", "cz"};
    return codes;
}

std::vector<std::string> PresentLanguageCodes()
{
    std::vector<std::string> codes;
    for (const std::string& code : AllLanguageCodes())
    {
        if (std::filesystem::is_directory(std::string(CORVELLAN_CONTENT_SOURCE) + "/texts/" + code))
            codes.push_back(code);
    }
    return codes;
}

const std::vector<ExpectedTextFile>& ExpectedTextFiles()
{
    static const std::vector<ExpectedTextFile> files = {
        {"game_title", {"GAME_TITLE"}},
        {"common", {"OK", "CANCEL", "YES", "NO", "BACK", "CONTINUE", "EXIT", "HIT_MOUSE_BUTTON_TO_CONTINUE"}},
        {"continue_game_logic",
         Join(Join({"CONTINUE_GAME_LOGIC_TITLE"}, Numbered("CONTINUE_GAME_LOGIC_TEXT_", 3)),
              {"CONTINUE_GAME_LOGIC_GAME_MODE", "CONTINUE_GAME_LOGIC_GAME_MODE_ARCADE",
               "CONTINUE_GAME_LOGIC_GAME_MODE_RELAX", "CONTINUE_GAME_LOGIC_LEVEL", "CONTINUE_GAME_LOGIC_SCORE",
               "CONTINUE_GAME_LOGIC_CONTINUE_GAME", "CONTINUE_GAME_LOGIC_NEW_GAME"})},
        {"delete_profile", Join({"DELETE_PROFILE_TITLE"}, Numbered("DELETE_PROFILE_TEXT_", 3))},
        {"exit", Join({"EXIT_TITLE"}, Numbered("EXIT_TEXT_", 2))},
        {"game_complete",
         Join({"GAME_COMPLETE_TITLE", "GAME_COMPLETE_TEXT_SIZE"}, Numbered("GAME_COMPLETE_TEXT_", 10))},
        {"game_logic",
         {"GAME_LOGIC_MENU", "GAME_LOGIC_LEVEL", "GAME_LOGIC_SCORE", "GAME_LOGIC_COMBO", "GAME_LOGIC_BLOCKED_ELEMENT",
          "GAME_LOGIC_BONUS_MAGNET", "GAME_LOGIC_BONUS_PAUSE", "GAME_LOGIC_BONUS_ROLL_BACK",
          "GAME_LOGIC_BONUS_TIP"}},
        {"game_logic_exit",
         Join(Join({"GAME_LOGIC_EXIT_TITLE"}, Numbered("GAME_LOGIC_EXIT_TEXT_", 3)), {"GAME_LOGIC_EXIT_OK"})},
        {"game_logic_menu",
         {"GAME_LOGIC_MENU_TITLE", "GAME_LOGIC_MENU_EXIT", "GAME_LOGIC_MENU_RESTART", "GAME_LOGIC_MENU_RETURN"}},
        {"game_logic_pause", {"GAME_LOGIC_PAUSED_TITLE", "GAME_LOGIC_PAUSED_TEXT", "GAME_LOGIC_PAUSED_RESUME"}},
        {"game_logic_restart", Join({"GAME_LOGIC_RESTART_TITLE"}, Numbered("GAME_LOGIC_RESTART_TEXT_", 2))},
        {"game_over", Join({"GAME_OVER_TITLE"}, Numbered("GAME_OVER_TEXT_", 3))},
        {"help", Join({"HELP_TITLE"}, Numbered("HELP_TEXT_", 12))},
        {"high_scores",
         {"HIGH_SCORES_TITLE", "HIGH_SCORES_ARCADE_MODE_TITLE", "HIGH_SCORES_RELAX_MODE_TITLE",
          "HIGH_SCORES_NO_RECORDS", "HIGH_SCORES_ARCADE_MODE_BUTTON", "HIGH_SCORES_RELAX_MODE_BUTTON"}},
        {"introduction",
         Join({"INTRODUCTION_TITLE", "INTRODUCTION_TEXT_SIZE"}, Numbered("INTRODUCTION_TEXT_", 24))},
        {"level_complete",
         {"LEVEL_COMPLETE_TITLE", "LEVEL_COMPLETE_YOUR_TIME", "LEVEL_COMPLETE_ACE_TIME", "LEVEL_COMPLETE_TIME_BONUS",
          "LEVEL_COMPLETE_NO_TIME_BONUS", "LEVEL_COMPLETE_BEST_TIME", "LEVEL_COMPLETE_BEST_TIME_NAME"}},
        {"loading", {"LOADING"}},
        {"main_menu",
         {"MAIN_MENU_WELCOME", "MAIN_MENU_START", "MAIN_MENU_HIGH_SCORES", "MAIN_MENU_OPTIONS",
          "MAIN_MENU_CHANGE_PROFILE", "MAIN_MENU_SHOW_PLACE", "MAIN_MENU_CREDITS", "MAIN_MENU_EXIT"}},
        {"mini_game",
         Join(Join({"MINI_GAME_TITLE"}, Numbered("MINI_GAME_STAGE_COMPLETE_TEXT_", 3)),
              Numbered("MINI_GAME_GAME_COMPLETE_TEXT_", 3))},
        {"new_profile", {"NEW_PROFILE_TITLE"}},
        {"options",
         {"OPTIONS_TITLE", "OPTIONS_MUSIC_VOLUME", "OPTIONS_SOUND_VOLUME", "OPTIONS_RESOLUTION", "OPTIONS_FULLSCREEN",
          "OPTIONS_APPLY", "OPTIONS_DEFAULTS"}},
        {"profile_name_conflict",
         Join({"PROFILE_NAME_CONFLICT_TITLE"}, Numbered("PROFILE_NAME_CONFLICT_TEXT_", 2))},
        {"profiles", {"PROFILES_TITLE", "PROFILES_NEW", "PROFILES_RENAME", "PROFILES_DELETE", "PROFILES_DONE"}},
        {"relax", Join({"RELAX_TITLE", "RELAX_TEXT_SIZE"}, Numbered("RELAX_TEXT_", 6))},
        {"rename_profile", {"RENAME_PROFILE_TITLE"}},
        {"stage_complete", {"START_GAME_STAGE_COMPLETE_TITLE"}},
        {"start_game", {"START_GAME_TITLE", "START_GAME_CONTINUE", "START_GAME_START", "START_GAME_RELAX_MODE"}},
        {"statistics", {"FPS", "MODELS_COUNT", "TRIANGLES_COUNT"}},
        {"tutorial", {"TUTORIAL_TITLE", "TUTORIAL_DO_NOT_SHOW", "TUTORIAL_CONTINUE"}},
        {"welcome", {"WELCOME_TITLE", "ENTER_YOUR_NAME"}},
    };
    return files;
}

std::vector<std::string> ScreenTextFiles()
{
    std::vector<std::string> names;
    for (const ExpectedTextFile& file : ExpectedTextFiles())
    {
        if (file.name != "game_title" && file.name != "common")
            names.push_back(file.name);
    }
    return names;
}

std::vector<std::string> ExpectedPackEntries(const std::vector<std::string>& codes)
{
    std::vector<std::string> names;
    for (const char* face : {"sans", "sans_bold", "serif_bold", "mono"})
        names.push_back(std::string("data\\ui\\fonts\\") + face + ".fnt");
    for (const char* atlas : {"sans", "sans_bold", "sans_bold_gold", "sans_bold_sky", "serif_bold", "serif_bold_gold",
                              "serif_bold_ember", "mono"})
        names.push_back(std::string("data\\ui\\fonts\\") + atlas + ".tga");
    for (const std::string& code : codes)
    {
        names.push_back("data\\ui\\fonts\\" + code + ".ini");
        for (const ExpectedTextFile& file : ExpectedTextFiles())
            names.push_back("data\\ui\\texts\\" + code + "\\" + file.name + ".ini");
    }
    for (const ExpectedSound& sound : ExpectedSounds())
        names.push_back("data\\" + sound.FileName());
    names.push_back("data\\levels\\stages_info.ini");
    for (std::size_t stage = 0; stage < ExpectedStages().size(); ++stage)
    {
        names.push_back("data\\levels\\stage" + std::to_string(stage) + ".ini");
        for (const ExpectedLevel& level : ExpectedStages()[stage].levels)
        {
            for (const char* file : {"theme.jpg", "puzzle.pzf", "puzzle.ini"})
                names.push_back("data\\puzzles\\" + level.folder + "\\" + file);
        }
    }
    for (auto group : {ExpectedGameObjectEntries, ExpectedMenuModelEntries, ExpectedScreenModelEntries,
                       ExpectedBackgroundEntries})
    {
        const std::vector<std::string> entries = group();
        names.insert(names.end(), entries.begin(), entries.end());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::u16string ExpectedCharacters()
{
    std::u16string set;
    for (char16_t c = 0x21; c <= 0x7E; ++c)
        set.push_back(c);
    for (char16_t c = 0xA0; c <= 0x17F; ++c)
        set.push_back(c);
    for (char16_t c = 0x400; c <= 0x45F; ++c)
        set.push_back(c);
    set += u"\u2013\u2014\u2018\u2019\u201C\u201D\u201E\u2026\u20AC";
    return set;
}

std::string BuiltPackPath() { return CORVELLAN_DATA_PACK; }

void CopyPackInto(const TempFolder& root)
{
    std::filesystem::create_directories(root.Join("data"));
    std::filesystem::copy_file(BuiltPackPath(), root.Join("data/pack0.pak"));
}

void PackedServices::LoadFonts(const std::string& code)
{
    GameFramework::GameBase::LoadFontsList(files, fonts, code, fontCount, consoleFontId);
}

std::map<std::string, std::u16string> LanguageTexts(PackedServices& services, const std::string& code)
{
    OrvaneEngine::GUITextManager texts(&services.log, &services.files);
    for (const ExpectedTextFile& file : ExpectedTextFiles())
        texts.LoadTexts("ui\\texts\\" + code + "\\" + file.name + ".ini");
    return texts.GetTexts();
}

} // namespace corvellan::test
