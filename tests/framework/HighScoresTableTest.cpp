#include "content/HighScoresWriter.h"
#include "framework/HighScoresTable.h"
#include "tests/framework/UserFolderTest.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{

using content::HighScoresRow;
using content::HighScoresWriter;
using content::RecordFileDamage;
using GameFramework::HighScoresTable;

constexpr std::uint32_t Arcade = 0;
constexpr std::uint32_t Relax = 1;

class HighScoresTableTest : public UserFolderTest
{
protected:
    HighScoresTable& Make()
    {
        table.reset();
        table = std::make_unique<HighScoresTable>(engine.get(), 10, User());
        return *table;
    }

    std::string TablePath() const { return User() + "/high_scores.hsf"; }
    std::string TableFile() const { return ReadFileText(TablePath()).value_or("<missing>"); }

    // The table's rows as the file would hold them.
    std::vector<HighScoresRow> Rows() const
    {
        std::vector<HighScoresRow> rows;
        for (const auto& row : table->GetRows())
            rows.push_back({row->name, row->mode, row->score, row->sequence});
        return rows;
    }

    std::vector<std::uint32_t> Scores(std::uint32_t mode) const
    {
        std::vector<std::uint32_t> scores;
        for (std::uint32_t n = 0; table->GetEntry(mode, n) != nullptr; ++n)
            scores.push_back(table->GetEntry(mode, n)->score);
        return scores;
    }

    std::unique_ptr<HighScoresTable> table;
};

TEST_F(HighScoresTableTest, EachModeKeepsItsTenBestRows)
{
    HighScoresTable& scores = Make();
    scores.AddScore(u"Relaxed", Relax, 5);
    for (std::uint32_t score = 100; score <= 1100; score += 100)
        scores.AddScore(u"Player", Arcade, score);
    EXPECT_EQ(scores.GetCount(Arcade), 10u);
    EXPECT_EQ(Scores(Arcade), (std::vector<std::uint32_t>{1100, 1000, 900, 800, 700, 600, 500, 400, 300, 200}));
    EXPECT_EQ(Scores(Relax), std::vector<std::uint32_t>{5});
    // Arcade rows come first in the table, yet the relax row is its mode's first.
    ASSERT_NE(scores.GetEntry(Relax, 0), nullptr);
    EXPECT_EQ(scores.GetEntry(Relax, 0)->name, u"Relaxed");
    EXPECT_EQ(scores.GetEntry(Relax, 1), nullptr);
    EXPECT_EQ(scores.GetRows().back()->mode, Relax);

    const std::vector<HighScoresRow> before = Rows();
    EXPECT_EQ(scores.AddScore(u"Tied", Arcade, 200), nullptr) << "a tie ranks below the older row";
    EXPECT_EQ(Scores(Arcade), (std::vector<std::uint32_t>{1100, 1000, 900, 800, 700, 600, 500, 400, 300, 200}));
    EXPECT_EQ(HighScoresWriter::Build(0, Rows()), HighScoresWriter::Build(0, before)) << "the table is unchanged";

    const HighScoresTable::Row* entered = scores.AddScore(u"Better", Arcade, 201);
    ASSERT_NE(entered, nullptr);
    EXPECT_EQ(entered, scores.GetEntry(Arcade, 9));
    EXPECT_EQ(entered->name, u"Better");
    EXPECT_EQ(entered->sequence, 13u);
    EXPECT_EQ(scores.GetCount(Arcade), 10u);
    EXPECT_EQ(TableFile(), HighScoresWriter::Build(14, Rows()));
}

TEST_F(HighScoresTableTest, ReloadKeepsTheFileOrderAndTheCounter)
{
    // Rows out of score order stay as the file has them.
    const std::vector<HighScoresRow> rows = {
        {u"Anna", Arcade, 50, 3}, {u"Bob", Relax, 70, 1}, {u"Carl", Arcade, 60, 0}};
    const std::string bytes = HighScoresWriter::Build(9, rows);
    ASSERT_TRUE(WriteFileBytes(TablePath(), bytes));
    HighScoresTable& scores = Make();
    EXPECT_EQ(scores.GetSequenceCounter(), 9u);
    EXPECT_EQ(Scores(Arcade), (std::vector<std::uint32_t>{50, 60}));
    EXPECT_EQ(TableFile(), bytes) << "loading writes nothing";
    EXPECT_EQ(scores.AddScore(u"Dora", Relax, 1)->sequence, 9u);

    Make();
    EXPECT_EQ(table->GetSequenceCounter(), 10u);
    EXPECT_EQ(Rows().size(), 4u);
}

TEST_F(HighScoresTableTest, UnreadableFileIsReplacedByAnEmptyOneAtOnce)
{
    const std::vector<HighScoresRow> rows = {{u"Anna", Arcade, 50, 0}, {u"Bob", Relax, 70, 1}};
    const std::string whole = HighScoresWriter::Build(2, rows);
    RecordFileDamage sizeOver;
    sizeOver.header.sizeField = static_cast<std::uint32_t>(whole.size() + 1);
    RecordFileDamage oldVersion;
    oldVersion.header.version = 102;
    RecordFileDamage cut;
    cut.keepBodyBytes = 8 + 11 + 6;
    RecordFileDamage beyond;
    beyond.count = 0xFFFFFFFFu;
    const std::string empty = HighScoresWriter::Build(0, {});
    ASSERT_EQ(empty.size(), 21u);

    for (const RecordFileDamage& damage : {sizeOver, oldVersion, cut, beyond})
    {
        ASSERT_TRUE(WriteFileBytes(TablePath(), HighScoresWriter::Build(2, rows, damage)));
        HighScoresTable& scores = Make();
        EXPECT_TRUE(scores.GetRows().empty());
        EXPECT_EQ(scores.GetSequenceCounter(), 0u);
        EXPECT_EQ(TableFile(), empty);
    }
    std::filesystem::remove(TablePath());
    Make();
    EXPECT_EQ(TableFile(), empty) << "a first start writes the empty table";
}

TEST_F(HighScoresTableTest, ClearEmptiesTheTableAndTheFile)
{
    HighScoresTable& scores = Make();
    scores.AddScore(u"Anna", Arcade, 10);
    scores.AddScore(u"Bob", Relax, 20);
    scores.Clear();
    EXPECT_TRUE(scores.GetRows().empty());
    EXPECT_EQ(scores.GetSequenceCounter(), 0u);
    EXPECT_EQ(TableFile(), HighScoresWriter::Build(0, {}));
}

} // namespace
} // namespace corvellan::test
