#include "content/BackgroundLayersWriter.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileTextual.h"
#include "game/BackgroundLayerList.h"
#include "tests/support/FileErrorText.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using Mirabel::BackgroundLayerList;
using corvellan::content::BackgroundLayerEntry;
using corvellan::content::BackgroundLayersWriter;
using corvellan::test::FileErrorText;

std::vector<BackgroundLayerList::Layer> ReadText(const std::string& text)
{
    auto bytes = std::make_unique<OrvaneEngine::FileBinary>(
        "background.ini", false, false, true, static_cast<std::uint32_t>(text.size()),
        reinterpret_cast<const std::uint8_t*>(text.data()));
    OrvaneEngine::FileTextual file(std::move(bytes), false, OrvaneEngine::FileTextual::EncodingAnsi);
    return BackgroundLayerList::Read(file, BackgroundLayerList::FileName);
}

TEST(BackgroundLayerListTest, ReadsEveryLayerWithItsPlaceNamesFlagAndStage)
{
    const auto layers = ReadText("4 // layers\r\nsky _none_ 1 0\r\nhills _NONE_ 0 0\r\ncastle sparkles 0 2\r\n"
                                 "moon Glow_Dust -1 -3\r\n");
    ASSERT_EQ(layers.size(), 4u);
    struct Expected
    {
        const char* model;
        const char* system;
        bool built;
        std::int32_t stage;
        bool hasSystem;
    };
    const Expected expected[] = {
        {"sky", "_none_", true, 0, false},
        {"hills", "_NONE_", false, 0, false},
        {"castle", "sparkles", false, 2, true},
        // Underscores stay; any value other than 0 builds the layer in the background.
        {"moon", "Glow_Dust", true, -3, true},
    };
    for (std::size_t i = 0; i < layers.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(layers[i].index, i);
        EXPECT_EQ(layers[i].modelName, expected[i].model);
        EXPECT_EQ(layers[i].particleSystemName, expected[i].system);
        EXPECT_EQ(layers[i].builtByBackground, expected[i].built);
        EXPECT_EQ(layers[i].stage, expected[i].stage);
        EXPECT_EQ(layers[i].HasParticleSystem(), expected[i].hasSystem);
    }
    EXPECT_EQ(BackgroundLayerList::ModelPath(layers[2]), "ui\\menus\\background\\models\\castle.mlf");
    EXPECT_EQ(BackgroundLayerList::ParticleSystemPath(layers[2]), "ui\\menus\\background\\particles\\sparkles.psf");
    EXPECT_TRUE(ReadText("0").empty());
}

TEST(BackgroundLayerListTest, ABadCountOrAListCutShortThrowsAFileErrorNamingTheFile)
{
    std::string sixtyFour = "64\n";
    for (int i = 0; i < 64; ++i)
        sixtyFour += "m _none_ 0 0\n";
    EXPECT_EQ(ReadText(sixtyFour).size(), 64u);

    const std::string cases[] = {
        "",
        "// nothing but a comment\n",
        "-1\nsky _none_ 0 0\n",
        "-2147483648\n",
        "65\n" + sixtyFour.substr(3),
        "100000\nsky _none_ 0 0\n",
        "3\nsky _none_ 0 0\n",
        "1\nsky _none_ 0\n",
        "1\nsky\n",
    };
    for (const std::string& text : cases)
    {
        const std::string error = FileErrorText([&] { ReadText(text); });
        EXPECT_NE(error.find("data\\ui\\menus\\background\\background.ini"), std::string::npos)
            << "\"" << text.substr(0, 40) << "\": " << error;
    }
}

TEST(BackgroundLayerListTest, TheWritersListReadsBackAndNamesItCannotSplitAreRefused)
{
    const std::vector<BackgroundLayerEntry> entries{
        {"sky", "_none_", false, 1},
        {"castle_far", "sparkles", false, 0},
        {"unicorn", "stars", true, 0},
    };
    const auto layers = ReadText(BackgroundLayersWriter::Build(entries));
    ASSERT_EQ(layers.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
    {
        EXPECT_EQ(layers[i].modelName, entries[i].model);
        EXPECT_EQ(layers[i].particleSystemName, entries[i].particleSystem);
        EXPECT_EQ(layers[i].builtByBackground, entries[i].builtByBackground);
        EXPECT_EQ(layers[i].stage, entries[i].stage);
    }
    for (const char* bad : {"", "two words", "a//b"})
        EXPECT_THROW(BackgroundLayersWriter::Build({{bad, "_none_", false, 0}}), std::invalid_argument) << bad;
}

} // namespace
