// The texts as the game reads them from the built pack: what the screens
// rely on in every language, and whether each text fits where it is printed.
#include "content/DataLayout.h"
#include "content/DataTextSources.h"
#include "engine/gui/GUIFont.h"
#include "tests/content/dataset/DataSetExpectations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace
{

using namespace corvellan::test;
using corvellan::content::DataLayout;
using corvellan::content::DataTextPlace;

std::string Narrow(const std::u16string& ascii) { return std::string(ascii.begin(), ascii.end()); }

bool Holds(const std::u16string& text, const std::u16string& part) { return text.find(part) != std::u16string::npos; }

TEST(DataSetConsistencyTest, TheScreensFindWhatTheyRelyOnInEveryLanguage)
{
    struct Page
    {
        const char* prefix;
        int lines;
    };
    const std::vector<Page> pages = {{"GAME_COMPLETE_TEXT_", 10}, {"INTRODUCTION_TEXT_", 24}, {"RELAX_TEXT_", 6}};
    for (const std::string& code : PresentLanguageCodes())
    {
        SCOPED_TRACE(code);
        PackedServices services;
        const std::map<std::string, std::u16string> texts = LanguageTexts(services, code);
        const auto text = [&](const std::string& key) {
            const auto found = texts.find(key);
            return found == texts.end() ? std::u16string() : found->second;
        };

        // Each paged text holds its line count, at least 1, and exactly that many lines.
        for (const Page& page : pages)
        {
            const std::string prefix = page.prefix;
            const std::string lines = std::to_string(page.lines);
            EXPECT_EQ(text(prefix + "SIZE"), std::u16string(lines.begin(), lines.end())) << prefix;
            for (int line = 0; line < page.lines; ++line)
                EXPECT_FALSE(text(prefix + std::to_string(line)).empty()) << prefix << line;
            EXPECT_EQ(texts.count(prefix + std::to_string(page.lines)), 0u) << prefix;
        }

        // The placeholders the screens replace.
        const int nameLines = static_cast<int>(std::count_if(texts.begin(), texts.end(), [](const auto& entry) {
            return entry.first.rfind("DELETE_PROFILE_TEXT_", 0) == 0 && Holds(entry.second, u"%PROFILE_NAME%");
        }));
        EXPECT_EQ(nameLines, 1);
        EXPECT_TRUE(Holds(text("LEVEL_COMPLETE_BEST_TIME_NAME"), u"%PROFILE_NAME%"));
        EXPECT_TRUE(Holds(text("GAME_LOGIC_COMBO"), u"%COMBO%"));
    }
}

TEST(DataSetConsistencyTest, EveryTextReadsBackAsItsSourceWrote)
{
    // A "//" would be cut off as a comment and a text that looks like a key
    // would shift the texts after it: either shows as a difference here.
    const std::vector<corvellan::content::DataLanguage> sources =
        corvellan::content::DataTextSources::Read(std::string(CORVELLAN_CONTENT_SOURCE) + "/texts");
    for (const corvellan::content::DataLanguage& language : sources)
    {
        SCOPED_TRACE(language.code);
        PackedServices services;
        const std::map<std::string, std::u16string> texts = LanguageTexts(services, language.code);
        std::size_t count = 0;
        for (const corvellan::content::DataTextFile& file : language.files)
        {
            for (const auto& [key, source] : file.texts)
            {
                const auto read = texts.find(Narrow(key));
                ASSERT_NE(read, texts.end()) << Narrow(key);
                EXPECT_EQ(read->second, source) << Narrow(key);
                ++count;
            }
        }
        EXPECT_EQ(texts.size(), count);
    }
}

class DataSetFitTest : public testing::TestWithParam<std::string>
{
};

TEST_P(DataSetFitTest, EveryTextFitsItsPlace)
{
    const std::string code = GetParam();
    {
        PackedServices services;
        services.LoadFonts(code);
        const std::map<std::string, std::u16string> texts = LanguageTexts(services, code);
        const auto width = [&](std::uint32_t fontId, const std::u16string& text) {
            const OrvaneEngine::GUIFont* font = services.fonts.GetFont(fontId);
            return font == nullptr ? 1e9f : font->MeasureText(text, 0.0f).x;
        };

        std::size_t placed = 0;
        for (const auto& [key, text] : texts)
        {
            const DataTextPlace* place = DataLayout::PlaceOf(key);
            if (place == nullptr)
                continue;
            ++placed;
            EXPECT_LE(width(place->fontId, text), place->width) << key << " in font " << place->fontId;
        }
        // Every title, label and page line has a place.
        EXPECT_GT(placed, 100u);

        // The welcome leaves room for a name in the title area.
        const auto welcome = texts.find("MAIN_MENU_WELCOME");
        ASSERT_NE(welcome, texts.end());
        EXPECT_GE(DataLayout::TitleArea.Width() - width(DataLayout::TitleFontId, welcome->second + u", !") +
                      DataLayout::WelcomeMargin,
                  DataLayout::NameRoom);
    }
}

INSTANTIATE_TEST_SUITE_P(EachLanguage, DataSetFitTest, testing::ValuesIn(PresentLanguageCodes()),
                         [](const testing::TestParamInfo<std::string>& language) { return language.param; });

} // namespace
