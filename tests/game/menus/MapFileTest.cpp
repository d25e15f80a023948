// The stage map's file: the stage and index each marker stands for, and
// every damaged file refused with its own text before anything is sized by
// its count.
#include "content/AtomicWrite.h"
#include "content/MapFileWriter.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "game/menus/MapFile.h"
#include "tests/support/FileErrorText.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace corvellan::test
{
namespace
{

using content::MapFileElement;
using content::MapFileOptions;
using content::MapFileWriter;
using Mirabel::MapFile;

class MapFileTest : public ::testing::Test
{
protected:
    std::vector<MapFile::Element> Read(const std::string& bytes, std::uint32_t& stages)
    {
        EXPECT_TRUE(content::WriteFileAtomically(folder.Join("map.gmf"), bytes));
        return MapFile::Read(&files, "map.gmf", stages);
    }

    TempFolder folder;
    OrvaneEngine::MessageManager log{"Test", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, folder.Path(), "Data"};
};

TEST_F(MapFileTest, CheckPointsOpenStagesAndNumberTheirElements)
{
    struct Row
    {
        std::vector<std::uint32_t> types;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> places;
        std::uint32_t stages;
    };
    const Row rows[] = {
        {{0, 3, 3, 2, 3, 1}, {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}}, 1},
        {{2, 3, 1}, {{1, 0}, {1, 1}, {1, 2}}, 1},
        {{0, 2, 2, 3}, {{0, 0}, {1, 0}, {2, 0}, {2, 1}}, 2},
        {{}, {}, 0},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.types.size());
        std::vector<MapFileElement> elements;
        for (std::uint32_t i = 0; i < row.types.size(); ++i)
            elements.push_back(MapFileWriter::At(row.types[i], 10.0f * static_cast<float>(i), 5.0f, 2.0f));
        std::uint32_t stages = 99;
        const auto read = Read(MapFileWriter::Build(elements), stages);
        EXPECT_EQ(stages, row.stages);
        ASSERT_EQ(read.size(), row.places.size());
        for (std::size_t i = 0; i < read.size(); ++i)
        {
            EXPECT_EQ(read[i].type, row.types[i]) << i;
            EXPECT_EQ(std::make_pair(read[i].stage, read[i].index), row.places[i]) << i;
            // Row-major as written: the translation in elements 3 and 7.
            EXPECT_EQ(read[i].matrix.m[0], 2.0f);
            EXPECT_EQ(read[i].matrix.m[3], 10.0f * static_cast<float>(i));
            EXPECT_EQ(read[i].matrix.m[7], 5.0f);
        }
    }
}

TEST_F(MapFileTest, DamagedFilesAreRefusedWithTheirText)
{
    const std::vector<MapFileElement> three{MapFileWriter::At(0, 0, 0), MapFileWriter::At(3, 1, 0),
                                            MapFileWriter::At(1, 2, 0)};
    const std::string sound = MapFileWriter::Build(three);
    struct Row
    {
        const char* what;
        std::string bytes;
        std::string text;
    };
    const Row rows[] = {
        {"wrong magic", MapFileWriter::Build(three, {std::nullopt, {std::nullopt, "JXGMX", std::nullopt}}),
         "Incorrect + \"map.gmf\" file format"},
        {"version 101", MapFileWriter::Build(three, {std::nullopt, {std::nullopt, std::nullopt, 101}}),
         "Incorrect \"map.gmf\" format version (101), current is 100"},
        {"header size off", MapFileWriter::Build(three, {std::nullopt, {1000u, std::nullopt, std::nullopt}}),
         "Incorrect + \"map.gmf\" file format"},
        {"count beyond the bytes", MapFileWriter::Build(three, {0xFFFFFFFFu, {}}), "Map file is broken"},
        {"count one over", MapFileWriter::Build(three, {4u, {}}), "Map file is broken"},
        {"count one under", MapFileWriter::Build(three, {2u, {}}), "Map file is broken"},
    };
    ASSERT_EQ(FileErrorText([&] {
                  std::uint32_t stages = 0;
                  Read(sound, stages);
              }),
              "<none>");
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(FileErrorText([&] {
                      std::uint32_t stages = 0;
                      Read(row.bytes, stages);
                  }),
                  row.text);
    }
}

} // namespace
} // namespace corvellan::test
