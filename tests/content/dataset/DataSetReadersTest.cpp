// The built data set read through the program's own readers: every fonts
// list and font on the device-free services, every language's texts, and
// the start-up of the game on the pack beside the program, per language.
#include "content/LanguageTextWriter.h"
#include "engine/core/Engine.h"
#include "engine/core/FileBinary.h"
#include "engine/core/PackFile.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/core/Window.h"
#include "engine/render/Image.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "framework/GameBase.h"
#include "platform/win32/testing/LocaleHooks.h"
#include "platform/win32/testing/ModuleHooks.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/content/dataset/DataSetExpectations.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ModelServices.h"
#include "tests/support/TestGame.h"
#include "tests/support/TestGameFolders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace
{

using namespace corvellan::test;
namespace wt = win32::testing;

// The caption as the window reports it: UTF-8.
std::string Utf8(const std::u16string& text)
{
    corvellan::content::TextEncoding utf8;
    utf8.form = corvellan::content::TextEncoding::Form::Utf8;
    const std::string bytes = corvellan::content::LanguageTextWriter::Encode({text}, utf8);
    return bytes.substr(3, bytes.size() - 5);  // without the byte-order mark and the line end
}

TEST(DataSetReadersTest, ThePackHoldsExactlyTheManifest)
{
    OrvaneEngine::MessageManager log{"Test", false, false, "", ""};
    OrvaneEngine::PackFile pack(&log, BuiltPackPath());
    std::vector<std::string> names;
    pack.FindFiles("data", "*", names);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, ExpectedPackEntries(PresentLanguageCodes()));

    // Nothing outside "data\" either: the directory's count is the manifest's.
    const std::vector<std::uint8_t> bytes = ReadFileBytes(BuiltPackPath()).value();
    ASSERT_GE(bytes.size(), 17u);
    const std::uint32_t count = bytes[13] | bytes[14] << 8 | bytes[15] << 16 | static_cast<std::uint32_t>(bytes[16]) << 24;
    EXPECT_EQ(count, names.size());
}

TEST(DataSetReadersTest, TextFilesCarryTheirByteOrderMarkAndCrLfLineEnds)
{
    // Russian is UTF-16LE so that both of the reader's decoders run on real data.
    OrvaneEngine::MessageManager log{"Test", false, false, "", ""};
    OrvaneEngine::PackFile pack(&log, BuiltPackPath());
    for (const std::string& code : PresentLanguageCodes())
    {
        const std::string start = code == "ru" ? std::string("\xFF\xFE[\0O\0K\0]\0\r\0\n\0", 14)
                                               : std::string("\xEF\xBB\xBF[OK]\r\n");
        std::uint32_t size = 0;
        const auto bytes = pack.ReadEntry("data\\ui\\texts\\" + code + "\\common.ini", size);
        ASSERT_NE(bytes, nullptr) << code;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.get()), std::min<std::size_t>(size, start.size())),
                  start)
            << code;
    }
    std::uint32_t size = 0;
    const auto list = pack.ReadEntry("data\\ui\\fonts\\en.ini", size);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(list.get()), 3), "\xEF\xBB\xBF");
}

TEST(DataSetReadersTest, EveryLanguageOfTheGameHasItsTexts)
{
    EXPECT_EQ(PresentLanguageCodes(), AllLanguageCodes());
}

TEST(DataSetReadersTest, TheFontsListMakesElevenFontsWithTheWholeCharacterSet)
{
    struct Use
    {
        float height;
        bool fixedPitch;
        const char* atlas;
    };
    const std::vector<Use> uses = {
        {13, true, "mono"},        {19, false, "sans_bold"},      {17, false, "sans"},
        {16, false, "sans_bold"},  {17, false, "sans_bold_gold"}, {16, false, "sans_bold_sky"},
        {19, false, "sans"},       {24, false, "serif_bold"},     {24, false, "serif_bold_gold"},
        {24, false, "serif_bold_ember"}, {22, false, "sans_bold_gold"},
    };
    const std::u16string characters = ExpectedCharacters();
    {
        PackedServices services;
        services.LoadFonts("en");
        ASSERT_EQ(services.fontCount, uses.size());
        EXPECT_EQ(services.consoleFontId, 0u);
        for (std::uint32_t id = 0; id < services.fontCount; ++id)
        {
            SCOPED_TRACE(id);
            const OrvaneEngine::GUIFont* font = services.fonts.GetFont(id);
            ASSERT_NE(font, nullptr);
            EXPECT_EQ(font->GetGlyphs().size(), characters.size());
            for (const char16_t c : characters)
                EXPECT_TRUE(font->HasGlyph(c)) << static_cast<unsigned>(c);
            EXPECT_FLOAT_EQ(font->glyphHeight, uses[id].height);
            EXPECT_EQ(font->fixedPitch, uses[id].fixedPitch);
            // The space is spaced by the list: a quarter to a half of a cell.
            EXPECT_GT(font->spaceRatio, 0.2f);
            EXPECT_LT(font->spaceRatio, 0.7f);
        }

        // One texture per atlas, each read whole rather than the checkerboard.
        std::vector<OrvaneEngine::Texture2D*> textures;
        services.shaders.GetTextureManager()->GetTextures(textures);
        EXPECT_EQ(textures.size(), 8u);
        OrvaneEngine::TextureManager& manager = *services.shaders.GetTextureManager();
        for (const OrvaneEngine::Texture2D* texture : textures)
        {
            SCOPED_TRACE(texture->GetKey());
            OrvaneEngine::Image* diffuse = nullptr;
            OrvaneEngine::Image* opacity = nullptr;
            bool loaded = false;
            ASSERT_TRUE(manager.GetImages(texture, diffuse, opacity, loaded));
            ASSERT_NE(diffuse, nullptr);
            EXPECT_EQ(diffuse->GetWidth(), 1024u);
            EXPECT_TRUE(diffuse->GetHeight() == 512u || diffuse->GetHeight() == 1024u) << diffuse->GetHeight();
            EXPECT_EQ(diffuse->GetBitsPerPixel(), 32u);
            if (loaded)
            {
                delete diffuse;
                delete opacity;
            }
        }
        for (const Use& use : uses)
        {
            const bool used = std::any_of(textures.begin(), textures.end(), [&](const OrvaneEngine::Texture2D* t) {
                return t->GetKey().find(std::string(use.atlas) + ".tga") != std::string::npos;
            });
            EXPECT_TRUE(used) << use.atlas;
        }
        EXPECT_TRUE(services.Entries(1).empty()) << services.Entries(1).front();
        EXPECT_TRUE(services.Entries(2).empty()) << services.Entries(2).front();
    }
}

TEST(DataSetReadersTest, EveryLanguageSharesTheFontsList)
{
    PackedServices services;
    const auto list = [&](const std::string& code) {
        const std::unique_ptr<OrvaneEngine::FileBinary> file =
            services.files.Open("data\\ui\\fonts\\" + code + ".ini", false);
        std::string bytes(file->GetSize(), '\0');
        file->Read(bytes.data(), file->GetSize());
        return bytes;
    };
    const std::string english = list("en");
    for (const std::string& code : PresentLanguageCodes())
        EXPECT_EQ(list(code), english) << code;
}

TEST(DataSetReadersTest, EveryKeyOfEveryLanguageResolvesFromItsOwnFile)
{
    for (const std::string& code : PresentLanguageCodes())
    {
        SCOPED_TRACE(code);
        PackedServices services;
        OrvaneEngine::GUITextManager texts(&services.log, &services.files);
        std::size_t keys = 0;
        for (const ExpectedTextFile& file : ExpectedTextFiles())
        {
            const std::string name = "ui\\texts\\" + code + "\\" + file.name + ".ini";
            // Alone, the file holds its keys and no other.
            OrvaneEngine::GUITextManager alone(&services.log, &services.files);
            alone.LoadTexts(name);
            std::vector<std::string> held;
            for (const auto& entry : alone.GetTexts())
                held.push_back(entry.first);
            std::vector<std::string> wanted = file.keys;
            std::sort(wanted.begin(), wanted.end());
            EXPECT_EQ(held, wanted) << file.name;

            texts.LoadTexts(name);
            for (const std::string& key : file.keys)
            {
                const std::u16string& text = texts.GetText(key);
                EXPECT_NE(text, u"UNKNOWN") << key;
                EXPECT_FALSE(text.empty()) << key;
            }
            keys += file.keys.size();
        }
        EXPECT_EQ(texts.GetTexts().size(), keys);
        EXPECT_TRUE(services.Entries(1).empty()) << services.Entries(1).front();
        EXPECT_TRUE(services.Entries(2).empty()) << services.Entries(2).front();
    }
}

class DataSetStartUpTest : public testing::TestWithParam<std::string>
{
};

TEST_P(DataSetStartUpTest, TheGameStartsOnThePackBesideTheProgram)
{
    const std::string program = CORVELLAN_PROGRAM;
    const std::filesystem::path buildFolder = std::filesystem::path(program).parent_path();
    const std::string code = GetParam();
    {
        std::map<std::string, std::u16string> expected;
        {
            PackedServices services;
            expected = LanguageTexts(services, code);
        }
        {
            TestGameFolders folders(false);
            wt::SetModuleFileName(program);
            // The pack beside the program wins over an install path elsewhere.
            ASSERT_TRUE(folders.WriteUserRegistry("Language=" + code + "\nInstallPath=" + folders.program.Path() + "\n"));
            TestGameJournal journal;
            TestGame game(journal, TestGame::Options{});
            OrvaneEngine::Engine& engine = *game.GetEngine();

            std::string root = game.GetRootFolder();
            std::replace(root.begin(), root.end(), '\\', '/');
            EXPECT_EQ(std::filesystem::path(root).lexically_normal(), buildFolder.lexically_normal());
            EXPECT_EQ(game.GetFontCount(), 11u);
            EXPECT_EQ(game.GetConsoleFontId(), 0u);
            EXPECT_EQ(engine.guiManager->GetFontManager()->GetFonts().size(), 11u);

            OrvaneEngine::GUITextManager& texts = *engine.guiManager->GetTextManager();
            EXPECT_EQ(texts.GetText("GAME_TITLE"), expected.at("GAME_TITLE"));
            EXPECT_EQ(texts.GetText("CANCEL"), expected.at("CANCEL"));
            EXPECT_EQ(wt::GetWindowTitle(engine.window->handle), Utf8(expected.at("GAME_TITLE")));
            for (const std::string& name : ScreenTextFiles())
                game.LoadTextFile(name);
            EXPECT_EQ(texts.GetTexts(), expected);
            EXPECT_EQ(folders.LogText().find("Error:"), std::string::npos) << folders.LogText();
        }
        wt::ResetLocale();
    }
}

INSTANTIATE_TEST_SUITE_P(EachLanguage, DataSetStartUpTest, testing::ValuesIn(PresentLanguageCodes()),
                         [](const testing::TestParamInfo<std::string>& language) { return language.param; });

} // namespace
