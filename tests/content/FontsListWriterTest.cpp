#include "content/FontsListWriter.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using corvellan::content::FontsListEntry;
using corvellan::content::FontsListWriter;
using corvellan::test::TempFolder;

// The list read back word by word, as the framework's loader reads it.
TEST(FontsListWriterTest, ReadsBackThroughTheTextReader)
{
    const std::vector<FontsListEntry> fonts = {
        {"ui\\fonts\\body.fnt", "ui\\fonts\\body.tga", "32BIT", 28.5f, 0.3125f, 1.0f, true, false},
        {"ui\\fonts\\digits.fnt", "ui\\fonts\\digits.tga", "ui\\fonts\\digits_alpha.tga", 17.0f, 1.0f / 3.0f,
         1.15f, false, true},
        {"ui\\fonts\\title.fnt", "ui\\fonts\\title.tga", "Title_32Bit", 0.001f, 1e-7f, 2.0f, true, true},
    };
    TempFolder folder;
    ASSERT_TRUE(FontsListWriter::WriteTo(folder.Join("data/ui/fonts/en.ini"), 4, fonts));

    OrvaneEngine::MessageManager log{"Test", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, folder.Path(), ""};
    const auto text = files.OpenTextual("data\\ui\\fonts\\en.ini", false, 0);
    ASSERT_EQ(text->GetInt(), 3);
    EXPECT_EQ(text->GetInt(), 4);
    const char* opacities[] = {"32bit", "ui\\fonts\\digits_alpha.tga", "Title_32bit"};
    for (std::size_t index = 0; index < fonts.size(); ++index)
    {
        const FontsListEntry& font = fonts[index];
        std::string word;
        ASSERT_TRUE(text->GetString(word, false));
        EXPECT_EQ(word, font.file);
        ASSERT_TRUE(text->GetString(word, false));
        EXPECT_EQ(word, font.diffuse);
        ASSERT_TRUE(text->GetString(word, false));
        EXPECT_EQ(word, opacities[index]);
        EXPECT_EQ(text->GetFloat(), font.glyphHeight) << index;
        EXPECT_EQ(text->GetFloat(), font.spaceRatio) << index;
        EXPECT_EQ(text->GetFloat(), font.advanceFactor) << index;
        EXPECT_EQ(text->GetInt() > 0, font.addLowerCase) << index;
        EXPECT_EQ(text->GetInt() > 0, font.fixedPitch) << index;
    }
    std::string rest;
    EXPECT_FALSE(text->GetString(rest, false)) << rest;
}

TEST(FontsListWriterTest, RefusesNamesTheReaderWouldSplit)
{
    const FontsListEntry good{"a.fnt", "a.tga", "32bit"};
    const struct
    {
        const char* what;
        FontsListEntry entry;
    } cases[] = {
        {"empty file", {"", "a.tga", "32bit"}},
        {"blank in diffuse", {"a.fnt", "my font.tga", "32bit"}},
        {"empty opacity", {"a.fnt", "a.tga", ""}},
        {"comment in file", {"ui//a.fnt", "a.tga", "32bit"}},
    };
    EXPECT_NO_THROW(FontsListWriter::Build(0, {good}));
    for (const auto& c : cases)
        EXPECT_THROW(FontsListWriter::Build(0, {good, c.entry}), std::invalid_argument) << c.what;
}

} // namespace
