// mkdata on a copy of the sources with one thing broken: it must stop with
// the file and the reason, and leave no pack (or the old one) behind. And
// the fuzz seeds it copies from the real data.
#include "engine/core/MessageManager.h"
#include "engine/core/PackFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include <sys/wait.h>

namespace
{

using corvellan::test::ReadFileText;
using corvellan::test::TempFolder;
using corvellan::test::WriteFileBytes;
namespace fs = std::filesystem;

struct MkdataRun
{
    int status = -1;
    std::string errors;
};

MkdataRun Mkdata(const TempFolder& work, const std::string& arguments)
{
    const std::string errors = work.Join("mkdata.err");
    const std::string command = std::string(CORVELLAN_MKDATA) + " " + arguments + " 2>'" + errors + "' >/dev/null";
    const int status = std::system(command.c_str());
    MkdataRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.errors = ReadFileText(errors).value_or("");
    return run;
}

// A copy of the content sources that the case may break.
std::string CopySources(const TempFolder& work)
{
    const std::string copy = work.Join("content");
    fs::copy(CORVELLAN_CONTENT_SOURCE, copy, fs::copy_options::recursive);
    return copy;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// Replaces the first occurrence of from in the source file.
void Edit(const std::string& path, const std::string& from, const std::string& to)
{
    const std::string text = ReadFileText(path).value();
    ASSERT_NE(text.find(from), std::string::npos) << path << " lacks " << from;
    ASSERT_TRUE(WriteFileBytes(path, Replaced(text, from, to)));
}

// Puts text in place of the key's text line.
void EditText(const std::string& path, const std::string& key, const std::string& text)
{
    const std::string source = ReadFileText(path).value_or("");
    const std::size_t keyLine = source.find("[" + key + "]\n");
    ASSERT_NE(keyLine, std::string::npos) << path << " lacks " << key;
    const std::size_t start = keyLine + key.size() + 3;
    const std::size_t end = source.find('\n', start);
    ASSERT_TRUE(WriteFileBytes(path, source.substr(0, start) + text + source.substr(end)));
}

// Makes cz from English when the repository has no Czech texts yet.
std::string Czech(const std::string& sources)
{
    const std::string cz = sources + "/texts/cz";
    if (!fs::exists(cz))
        fs::copy(sources + "/texts/en", cz, fs::copy_options::recursive);
    return cz;
}

// Runs mkdata on a copy of the sources broken by breakIt: it must fail with
// the file and the reason, and a fresh output folder gets no pack.
void ExpectRefused(const std::function<void(const std::string& sources)>& breakIt, const std::string& file,
                   const std::string& reason)
{
    TempFolder work("corvellan-mkdata");
    const std::string sources = CopySources(work);
    breakIt(sources);
    if (testing::Test::HasFatalFailure())
        return;

    const std::string fresh = work.Join("fresh/pack0.pak");
    const MkdataRun run = Mkdata(work, "--source '" + sources + "' --output '" + fresh + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find(file), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find(reason), std::string::npos) << run.errors;
    EXPECT_FALSE(fs::exists(fresh));
    if (fs::exists(work.Join("fresh")))
    {
        EXPECT_TRUE(fs::is_empty(work.Join("fresh")));
    }
}

TEST(MkdataTest, BrokenSourcesStopTheBuildNamingTheFile)
{
    struct Case
    {
        const char* name;
        std::function<void(const std::string& sources)> breakIt;
        const char* file;    // the file the message must name
        const char* reason;  // and a part of its reason
    };
    const std::vector<Case> cases = {
        {"a missing key in cz",
         [](const std::string& sources) {
             const std::string file = Czech(sources) + "/common.txt";
             EditText(file, "CANCEL", "");
             Edit(file, "[CANCEL]\n\n", "");
         },
         "cz/common.txt", "CANCEL"},
        {"\"//\" in a text",
         [](const std::string& sources) { EditText(sources + "/texts/en/help.txt", "HELP_TEXT_1", "see a//b"); },
         "en/help.txt", "//"},
        {"a character outside the font",
         [](const std::string& sources) { EditText(sources + "/texts/en/common.txt", "OK", "OK \xE2\x98\x83"); },
         "en/common.txt", "U+2603"},
        {"two staged files whose names differ only in case",
         [](const std::string& sources) {
             fs::copy(sources + "/texts/en", sources + "/texts/EN", fs::copy_options::recursive);
         },
         "common.ini", "same pack name"},
        {"a text that reads as a key line",
         [](const std::string& sources) { EditText(sources + "/texts/en/exit.txt", "EXIT_TEXT_0", " [EXIT_TEXT_1]"); },
         "en/exit.txt", "key line"},
        {"an empty text",
         [](const std::string& sources) { EditText(sources + "/texts/en/loading.txt", "LOADING", " "); },
         "en/loading.txt", "empty"},
        {"a line count of 0",
         [](const std::string& sources) { EditText(sources + "/texts/en/relax.txt", "RELAX_TEXT_SIZE", "0"); },
         "en/relax.txt", "at least 1"},
        {"a line count beyond the lines",
         [](const std::string& sources) { EditText(sources + "/texts/en/relax.txt", "RELAX_TEXT_SIZE", "7"); },
         "en/relax.txt", "RELAX_TEXT_6"},
        {"a placeholder lost in translation",
         [](const std::string& sources) {
             const std::string file = Czech(sources) + "/game_logic.txt";
             Edit(file, "%COMBO%", "x");
         },
         "cz/game_logic.txt", "placeholders"},
        {"a key in two files",
         [](const std::string& sources) {
             const std::string path = sources + "/texts/en/loading.txt";
             ASSERT_TRUE(WriteFileBytes(path, ReadFileText(path).value() + "\n[OK]\nOK\n"));
         },
         "loading.txt", "OK"},
        {"text that is not UTF-8",
         [](const std::string& sources) { EditText(sources + "/texts/en/loading.txt", "LOADING", "Load\xC3(ing"); },
         "en/loading.txt", "UTF-8"},
        {"a character beyond the basic plane",
         [](const std::string& sources) {
             EditText(sources + "/texts/en/loading.txt", "LOADING", "Loading \xF0\x9F\x98\x80");
         },
         "en/loading.txt", "U+1F600"},
        {"CR LF line ends",
         [](const std::string& sources) { Edit(sources + "/texts/en/loading.txt", "]\n", "]\r\n"); },
         "en/loading.txt", "CR"},
        {"a byte-order mark",
         [](const std::string& sources) {
             const std::string path = sources + "/texts/en/loading.txt";
             ASSERT_TRUE(WriteFileBytes(path, "\xEF\xBB\xBF" + ReadFileText(path).value()));
         },
         "en/loading.txt", "byte-order mark"},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.name);
        ExpectRefused(test.breakIt, test.file, test.reason);
    }
}

TEST(MkdataTest, ABrokenStageTableStopsTheBuildNamingTheLine)
{
    struct Case
    {
        const char* name;
        const char* from;   // the first text in levels/stages.ini
        const char* to;     // put in its place
        int line;           // the line the message must name
        const char* reason; // and a part of its reason
    };
    const std::vector<Case> cases = {
        {"a level count off by one, over", "levels = 3", "levels = 4", 21, "states 4 levels but lists 3"},
        {"a level count off by one, under", "levels = 3", "levels = 2", 24, "a level beyond the 2"},
        {"a stage count off by one, over", "stages = 4", "stages = 5", 16, "states 5 stages but holds 4"},
        {"a stage count off by one, under", "stages = 4", "stages = 3", 43, "a stage beyond the 3"},
        {"more than eight stages", "stages = 4", "stages = 9", 16, "1 to 8"},
        {"an unknown picture family", "skyline 2", "sky 2", 24, "unknown picture family \"sky\""},
        {"a size that is no number", "4x3 landscape 1", "4xthree landscape 1", 23, "\"three\" is not a number"},
        {"a size without its rows", "4x3 landscape 1", "4 landscape 1", 23, "not <columns>x<rows>"},
        {"more pieces than a board holds", "8x5 star_field", "8x8 star_field", 50, "64 pieces, more than 60"},
        {"a palette past the last", "landscape 1", "landscape 7", 23, "palette 7 is not 0 to 6"},
        {"a grid the game refuses", "grid = 3", "grid = 0", 19, "grid size 0 is not 1 to 16"},
        {"a blocked share over 100", "blocked = 0", "blocked = 101", 20, "101 is not 0 to 100"},
        {"two levels in one folder", "harbour 4x3", "meadow 4x3", 23, "line 22"},
        {"two levels with one look", "landscape 1", "landscape 0", 23, "family and palette of line 22"},
        {"a level line short of a word", "skyline 2", "skyline", 24, "<folder> <columns>x<rows>"},
        {"a stage without its grid", "grid = 3", "", 18, "no \"grid\" line"},
        {"a misspelt key", "blocked = 0", "blocks = 0", 20, "unknown key \"blocks\""},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.name);
        ExpectRefused([&](const std::string& sources) { Edit(sources + "/levels/stages.ini", test.from, test.to); },
                      "levels/stages.ini:" + std::to_string(test.line) + ":", test.reason);
    }
    // Without the table there is nothing to build the levels from.
    ExpectRefused([](const std::string& sources) { fs::remove(sources + "/levels/stages.ini"); }, "levels/stages.ini",
                  "cannot be read");
}

TEST(MkdataTest, AFailedBuildLeavesTheOldPackAsItWas)
{
    TempFolder work("corvellan-mkdata");
    const std::string sources = CopySources(work);
    EditText(sources + "/texts/en/common.txt", "OK", "O//K");
    const std::string pack = work.Join("out/pack0.pak");
    ASSERT_TRUE(WriteFileBytes(pack, "the previous pack"));
    const MkdataRun run = Mkdata(work, "--source '" + sources + "' --output '" + pack + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(ReadFileText(pack), "the previous pack");
    EXPECT_EQ(std::distance(fs::directory_iterator(work.Join("out")), fs::directory_iterator()), 1);
}

TEST(MkdataTest, SeedCorporaComeFromTheRealData)
{
    TempFolder work("corvellan-mkdata");
    const std::string seeds = work.Join("seeds");
    const MkdataRun run = Mkdata(work, "--seed-corpus '" + seeds + "'");
    ASSERT_EQ(run.status, 0) << run.errors;
    for (const char* target :
         {"pack_file", "text_file", "fonts_list", "font_file", "image_tga", "level_lists", "puzzle_file", "image_jpeg",
          "sound_wav", "sound_ogg"})
    {
        SCOPED_TRACE(target);
        ASSERT_TRUE(fs::is_directory(seeds + "/" + target));
        EXPECT_FALSE(fs::is_empty(seeds + "/" + target));
    }
    // The English texts begin with the UTF-8 byte-order mark, the fonts list
    // names the faces, the pack's names start with "data\".
    EXPECT_EQ(ReadFileText(seeds + "/text_file/data_en_common.ini").value_or("").rfind("\xEF\xBB\xBF[OK]\r\n", 0), 0u);
    EXPECT_NE(ReadFileText(seeds + "/fonts_list/data_en.ini").value_or("").find("ui\\fonts\\mono.fnt"),
              std::string::npos);
    EXPECT_NE(ReadFileText(seeds + "/pack_file/data_pack.pak").value_or("").find("data\\ui\\fonts\\en.ini"),
              std::string::npos);
    // The first stage's lists, its first puzzle and two sounds are the pack's own files.
    OrvaneEngine::MessageManager log{"Test", false, false, "", ""};
    OrvaneEngine::PackFile pack(&log, CORVELLAN_DATA_PACK);
    const auto entry = [&](const std::string& name) {
        std::uint32_t size = 0;
        const auto bytes = pack.ReadEntry(name, size);
        return bytes ? std::string(reinterpret_cast<const char*>(bytes.get()), size) : std::string();
    };
    const std::vector<std::pair<std::string, std::string>> copies = {
        {"level_lists/data_stages_info.ini", "data\\levels\\stages_info.ini"},
        {"level_lists/data_stage0.ini", "data\\levels\\stage0.ini"},
        {"puzzle_file/data_meadow_puzzle.pzf", "data\\puzzles\\meadow\\puzzle.pzf"},
        {"image_jpeg/data_meadow_theme.jpg", "data\\puzzles\\meadow\\theme.jpg"},
        {"sound_wav/data_button_click.wav", "data\\audio\\menu\\button_click.wav"},
        {"sound_ogg/data_upgrade.ogg", "data\\audio\\menu\\upgrade.ogg"},
    };
    for (const auto& [seed, name] : copies)
    {
        const std::string packed = entry(name);
        EXPECT_FALSE(packed.empty()) << name;
        EXPECT_EQ(ReadFileText(seeds + "/" + seed).value_or(""), packed) << seed;
    }
}

} // namespace
