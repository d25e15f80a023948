// The fonts-list loop of the application object on its own, over the GUI
// services: a list is read whole before any font is made, and its count is
// bounded.
#include "engine/core/Error.h"
#include "engine/gui/GUIFontManager.h"
#include "framework/GameBase.h"
#include "tests/support/GuiServices.h"
#include "tests/support/TestGameData.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace
{

using GameFramework::GameBase;

std::string Records(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "ui\\fonts\\capitals.fnt ui\\fonts\\atlas.tga 32bit 24 0.4 1.1 0 0\n";
    return text;
}

TEST(FontsListTest, ADamagedListMakesNoFontAndNamesItself)
{
    struct Case
    {
        const char* name;
        std::string list;
        std::optional<std::uint32_t> fonts; // none: a FileError
    };
    const std::string oneFont = Records(1);
    const std::vector<Case> cases = {
        {"the most fonts a list may name", "256 0\n" + Records(256), 256},
        {"one more than that", "257 0\n" + Records(257), std::nullopt},
        {"a huge count over few records", "4000000000 0\n" + Records(2), std::nullopt},
        {"cut short after a whole font", "2 0\n" + oneFont + "ui\\fonts\\digits.fnt ui\\fonts\\atlas.tga",
         std::nullopt},
        {"no console font id", "0", std::nullopt},
        {"empty", "", std::nullopt},
        {"comments only around no font", "// none\n0 // count\n0 // console\n", 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        corvellan::test::GuiServices services;
        ASSERT_TRUE(corvellan::test::TestGameData::Write(services.folder.Path()));
        ASSERT_TRUE(corvellan::test::TestGameData::WriteFontsList(services.folder.Path(), c.list));
        OrvaneEngine::GUIFontManager& fonts = *services.gui->GetFontManager();
        std::uint32_t count = 77;
        std::uint32_t consoleFont = 77;
        try
        {
            GameBase::LoadFontsList(services.files, fonts, "en", count, consoleFont);
            ASSERT_TRUE(c.fonts.has_value()) << "no error";
            EXPECT_EQ(count, *c.fonts);
            EXPECT_EQ(consoleFont, 0u);
            EXPECT_EQ(fonts.GetFont(*c.fonts), nullptr);
            if (*c.fonts > 0)
            {
                EXPECT_NE(fonts.GetFont(*c.fonts - 1), nullptr);
            }
        }
        catch (const OrvaneEngine::FileError& error)
        {
            EXPECT_FALSE(c.fonts.has_value()) << error.GetText();
            EXPECT_NE(error.GetText().find("data\\ui\\fonts\\en.ini"), std::string::npos) << error.GetText();
            EXPECT_EQ(fonts.GetFont(0), nullptr) << "a font was made before the damage was found";
            EXPECT_EQ(count, 77u);
        }
    }
}

} // namespace
