#include "content/ProfileFileWriter.h"
#include "engine/core/Error.h"
#include "engine/core/Random.h"
#include "framework/ProfileBase.h"
#include "tests/framework/UserFolderTest.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestProfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{

using content::ProfileFileContents;
using content::ProfileFileResult;
using content::ProfileFileWriter;
using content::RecordFileDamage;
using GameFramework::LevelResult;

std::unique_ptr<LevelResult> Result(std::uint32_t mode, std::uint32_t stage, std::uint32_t level, float time)
{
    auto result = std::make_unique<LevelResult>();
    result->mode = mode;
    result->stage = stage;
    result->level = level;
    result->time = time;
    return result;
}

class ProfileBaseTest : public UserFolderTest
{
protected:
    std::unique_ptr<TestProfile> Create(const std::u16string& name)
    {
        return std::make_unique<TestProfile>(engine.get(), name, User());
    }

    std::unique_ptr<TestProfile> Load(const std::string& fileName)
    {
        return std::make_unique<TestProfile>(engine.get(), fileName, User());
    }

    std::string FileOf(const TestProfile& profile) const
    {
        return ReadFileText(ProfilesFolder() + "/" + profile.GetFileName()).value_or("<missing>");
    }
};

TEST_F(ProfileBaseTest, FileHoldsTheRecordByteForByteAndReadsBackWhole)
{
    auto profile = Create(u"Anna Lee");
    profile->mode = 1;
    profile->gameCounter = 2;
    profile->score = 1234;
    profile->nextStage = 1;
    profile->nextLevel = 3;
    profile->results.push_back(Result(0, 0, 1, 30.5f));
    profile->results.push_back(Result(1, 1, 2, 12.25f));
    profile->gameInProgress = true;
    profile->settings->soundVolume = 0.7f;
    profile->settings->musicVolume = 0.3f;
    profile->UpdateReachedLevel(1, 2, true);

    ProfileFileContents expected;
    expected.name = u"Anna Lee";
    expected.mode = 1;
    expected.gameCounter = 2;
    expected.score = 1234;
    expected.nextStage = 1;
    expected.nextLevel = 3;
    expected.reachedStage = 1;
    expected.reachedLevel = 2;
    expected.reachedEnd = 1;
    expected.results = {{0, 0, 1, 30.5f}, {1, 1, 2, 12.25f}};
    expected.gameInProgress = 1;
    expected.musicVolume = 0.3f;
    expected.soundVolume = 0.7f;
    expected.gameBytes = {1, 1, 1, 1};
    const std::string bytes = FileOf(*profile);
    EXPECT_EQ(bytes, ProfileFileWriter::Build(expected));
    // The name's count is characters + 1, with the terminating 0 stored.
    ASSERT_GT(bytes.size(), 14u + 18u);
    EXPECT_EQ(bytes[13], 9);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string(4, '\x01'));

    const auto loaded = Load(profile->GetFileName());
    EXPECT_EQ(loaded->name, u"Anna Lee");
    EXPECT_EQ(loaded->mode, 1u);
    EXPECT_EQ(loaded->gameCounter, 2u);
    EXPECT_EQ(loaded->score, 1234u);
    EXPECT_EQ(loaded->nextStage, 1u);
    EXPECT_EQ(loaded->nextLevel, 3u);
    EXPECT_EQ(loaded->GetReachedStage(), 1u);
    EXPECT_EQ(loaded->GetReachedLevel(), 2u);
    EXPECT_TRUE(loaded->GetReachedEnd());
    ASSERT_EQ(loaded->results.size(), 2u);
    EXPECT_EQ(loaded->results[1]->stage, 1u);
    EXPECT_EQ(loaded->results[1]->level, 2u);
    EXPECT_FLOAT_EQ(loaded->results[1]->time, 12.25f);
    EXPECT_FLOAT_EQ(loaded->GetTotalTime(), 30.5f + 12.25f);
    EXPECT_TRUE(loaded->gameInProgress);
    EXPECT_FLOAT_EQ(loaded->settings->musicVolume, 0.3f);
    EXPECT_FLOAT_EQ(loaded->settings->soundVolume, 0.7f);
    EXPECT_EQ(loaded->GetPath(), profile->GetPath());
    EXPECT_EQ(ReadFileText(ProfilesFolder() + "/" + profile->GetFileName()).value_or(""), bytes)
        << "loading writes nothing";
}

TEST_F(ProfileBaseTest, NewProfileHasTheDefaultsAndAFileNameFromItsLetters)
{
    struct Case
    {
        std::u16string name;
        std::u16string shown;
        std::string pattern;
    };
    const std::vector<Case> cases = {
        {u"Anna Lee", u"Anna Lee", "annalee_[0-9]{8}\\.prf"},
        {u"  Bob  ", u"Bob", "bob_[0-9]{12}\\.prf"},
        {u"\u0410\u043D\u043D\u0430", u"\u0410\u043D\u043D\u0430", "_[0-9]{15}\\.prf"},
        {u"R2-D2 3000", u"R2-D2 3000", "rd_[0-9]{13}\\.prf"},
    };
    for (const Case& c : cases)
    {
        const auto profile = Create(c.name);
        SCOPED_TRACE(profile->GetFileName());
        EXPECT_EQ(profile->name, c.shown);
        EXPECT_TRUE(std::regex_match(profile->GetFileName(), std::regex(c.pattern)));
        EXPECT_TRUE(std::filesystem::exists(ProfilesFolder() + "/" + profile->GetFileName()));
        std::string stem = profile->GetFileName();
        stem.resize(stem.size() - 4);
        EXPECT_EQ(profile->GetPath(), User() + "\\profiles\\" + stem);
        EXPECT_EQ(profile->gameCounter, 3u);
        EXPECT_EQ(profile->score, 0u);
        EXPECT_EQ(profile->mode, 0u);
        EXPECT_FALSE(profile->gameInProgress);
        EXPECT_FLOAT_EQ(profile->settings->soundVolume, 1.0f);
        EXPECT_FLOAT_EQ(profile->settings->musicVolume, 1.0f);
    }
}

TEST_F(ProfileBaseTest, ProfilesWithTheSameLettersNeverShareOrOverwriteAFile)
{
    // Fifteen letters or more leave the name without digits; fourteen give
    // only ten names.
    const auto first = Create(u"Christopher Johnson");
    const std::string firstBytes = FileOf(*first);
    const auto second = Create(u"Christopher-Johnson");
    EXPECT_EQ(first->GetFileName(), "christopherjohnson.prf");
    EXPECT_TRUE(std::regex_match(second->GetFileName(), std::regex("christophe_[0-9]{5}\\.prf")))
        << second->GetFileName();
    EXPECT_EQ(FileOf(*first), firstBytes);

    std::vector<std::unique_ptr<TestProfile>> same;
    std::set<std::string> names;
    for (int index = 0; index < 11; ++index)
    {
        same.push_back(Create(u"Abcdefg Hijklmn " + std::u16string(1, static_cast<char16_t>(u'0' + index))));
        names.insert(same.back()->GetFileName());
    }
    EXPECT_EQ(names.size(), same.size());
    for (const auto& profile : same)
    {
        const auto loaded = Load(profile->GetFileName());
        EXPECT_EQ(loaded->name, profile->name) << profile->GetFileName() << " was written over";
    }
    // Deleting one leaves the other's file.
    second->DeleteFiles();
    EXPECT_EQ(FileOf(*first), firstBytes);
}

TEST_F(ProfileBaseTest, WhenEveryFileNameIsTakenTheProfileStaysInMemoryOnly)
{
    // The generator replayed: the letters alone, then ten letters and five
    // digits for every other try, all of them already on disk.
    constexpr std::uint32_t seed = 4242;
    OrvaneEngine::SeedRandom(seed);
    ASSERT_TRUE(WriteFileBytes(ProfilesFolder() + "/christopherjohnson.prf", "taken"));
    for (int attempt = 1; attempt < 1024; ++attempt)
    {
        std::string name = "christophe_";
        while (name.size() < 16)
            name.push_back(static_cast<char>(OrvaneEngine::RandomInt('0', '9')));
        ASSERT_TRUE(WriteFileBytes(ProfilesFolder() + "/" + name + ".prf", "taken"));
    }
    const auto before = Listing();
    const int errors = LoggedLines(2, "Christopher Johnson");

    OrvaneEngine::SeedRandom(seed);
    const auto profile = Create(u"Christopher Johnson");
    EXPECT_EQ(profile->GetFileName(), "");
    EXPECT_EQ(profile->name, u"Christopher Johnson");
    EXPECT_EQ(LoggedLines(2, "Christopher Johnson"), errors + 1);
    profile->Rename(u"Christopher Johnson Jr");
    profile->AddLevelResult(Result(0, 0, 0, 1.0f));
    profile->DeleteFiles();
    EXPECT_EQ(Listing(), before) << "nothing was written over or deleted";
}

TEST_F(ProfileBaseTest, AddLevelResultKeepsTheBestTimeAndSavesEveryTime)
{
    struct Case
    {
        std::optional<ProfileFileResult> stored;
        ProfileFileResult added;
        std::vector<float> times;
        float total;
    };
    const std::vector<Case> cases = {
        {std::nullopt, {0, 0, 2, 30.0f}, {30.0f}, 30.0f},
        {ProfileFileResult{0, 0, 2, 30.0f}, {0, 0, 2, 40.0f}, {30.0f}, 70.0f},
        {ProfileFileResult{0, 0, 2, 30.0f}, {0, 0, 2, 20.0f}, {20.0f}, 50.0f},
        {ProfileFileResult{0, 0, 2, 30.0f}, {1, 0, 2, 40.0f}, {30.0f, 40.0f}, 70.0f},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.times.size());
        const auto profile = Create(u"Player");
        if (c.stored)
            profile->AddLevelResult(Result(c.stored->mode, c.stored->stage, c.stored->level, c.stored->time));
        const std::uint32_t opened = win32::testing::GetFileOpenCount();
        profile->AddLevelResult(Result(c.added.mode, c.added.stage, c.added.level, c.added.time));
        EXPECT_GT(win32::testing::GetFileOpenCount(), opened) << "not saved";

        ASSERT_EQ(profile->results.size(), c.times.size());
        for (std::size_t index = 0; index < c.times.size(); ++index)
            EXPECT_FLOAT_EQ(profile->results[index]->time, c.times[index]);
        EXPECT_FLOAT_EQ(profile->GetTotalTime(), c.total);
        const auto loaded = Load(profile->GetFileName());
        ASSERT_EQ(loaded->results.size(), c.times.size());
        EXPECT_FLOAT_EQ(loaded->results[0]->time, c.times[0]);
        profile->DeleteFiles();
    }
}

TEST_F(ProfileBaseTest, FindLevelResultLooksInTheCurrentModeOnly)
{
    const auto profile = Create(u"Player");
    profile->AddLevelResult(Result(1, 0, 2, 10.0f));
    profile->AddLevelResult(Result(0, 0, 2, 20.0f));
    profile->mode = 1;
    ASSERT_NE(profile->FindLevelResult(0, 2), nullptr);
    EXPECT_FLOAT_EQ(profile->FindLevelResult(0, 2)->time, 10.0f);
    EXPECT_EQ(profile->FindLevelResult(0, 1), nullptr);
    profile->mode = 0;
    EXPECT_FLOAT_EQ(profile->FindLevelResult(0, 2)->time, 20.0f);
}

TEST_F(ProfileBaseTest, ReachedLevelOnlyMovesForward)
{
    struct Case
    {
        std::uint32_t stage;
        std::uint32_t level;
        bool last;
        std::uint32_t reachedStage;
        std::uint32_t reachedLevel;
        bool reachedEnd;
        bool saved;
    };
    const std::vector<Case> cases = {
        {1, 3, false, 1, 3, false, true}, {2, 0, false, 2, 0, false, true}, {1, 2, true, 1, 2, true, true},
        {1, 2, false, 1, 2, false, false}, {0, 9, true, 1, 2, false, false}, {1, 1, true, 1, 2, false, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.stage) + "," + std::to_string(c.level) + "," + std::to_string(c.last));
        const auto profile = Create(u"Player");
        profile->UpdateReachedLevel(1, 2, false);
        const std::string before = FileOf(*profile);
        const std::uint32_t opened = win32::testing::GetFileOpenCount();
        profile->UpdateReachedLevel(c.stage, c.level, c.last);
        EXPECT_EQ(profile->GetReachedStage(), c.reachedStage);
        EXPECT_EQ(profile->GetReachedLevel(), c.reachedLevel);
        EXPECT_EQ(profile->GetReachedEnd(), c.reachedEnd);
        EXPECT_EQ(win32::testing::GetFileOpenCount() > opened, c.saved);
        EXPECT_EQ(FileOf(*profile) != before, c.saved);
        profile->DeleteFiles();
    }
}

TEST_F(ProfileBaseTest, DamagedFilesAreLoggedAndRejectedWithAnEmptyError)
{
    ProfileFileContents contents;
    contents.name = u"Anna Lee";
    contents.results = {{0, 0, 0, 10.0f}, {0, 0, 1, 20.0f}, {0, 0, 2, 30.0f}};
    const std::string whole = ProfileFileWriter::Build(contents);
    // Name 19 bytes, seven numbers and the flag 29, the count 4.
    constexpr std::size_t resultsStart = 19 + 29 + 4;
    ProfileFileContents noResults = contents;
    noResults.results.clear();

    RecordFileDamage oldVersion;
    oldVersion.header.version = 103;
    RecordFileDamage sizeOver;
    sizeOver.header.sizeField = static_cast<std::uint32_t>(whole.size() + 1);
    RecordFileDamage cut;
    cut.keepBodyBytes = resultsStart + 20;
    RecordFileDamage hugeCount;
    hugeCount.count = 0xFFFFFFFFu;

    struct Case
    {
        const char* what;
        std::string bytes;
        std::string logged;
    };
    const std::vector<Case> cases = {
        {"version 103", ProfileFileWriter::Build(contents, oldVersion), "format version (103), current is 104"},
        {"size field one over", ProfileFileWriter::Build(contents, sizeOver), "file format"},
        {"cut inside the results", ProfileFileWriter::Build(contents, cut), "Failed to read"},
        {"a count of 0xFFFFFFFF", ProfileFileWriter::Build(noResults, hugeCount), "Failed to read"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteFileBytes(ProfilesFolder() + "/bad.prf", c.bytes));
        const int before = LoggedLines(2, c.logged);
        try
        {
            Load("bad.prf");
            ADD_FAILURE() << "loaded";
        }
        catch (const OrvaneEngine::FileError&)
        {
            ADD_FAILURE() << "the file's own error came through";
        }
        catch (const OrvaneEngine::Error& error)
        {
            EXPECT_EQ(error.GetText(), "");
        }
        EXPECT_EQ(LoggedLines(2, c.logged), before + 1);
        EXPECT_EQ(ReadFileText(ProfilesFolder() + "/bad.prf"), c.bytes) << "the file stays as it was";
    }
}

TEST_F(ProfileBaseTest, DeleteFilesTakesTheFileAndTheProfilesOwnFolderOnly)
{
    const auto profile = Create(u"Anna Lee");
    const auto other = Create(u"Bob");
    ASSERT_TRUE(WriteFileBytes(ProfilesFolder() + "/" + profile->GetFileName().substr(0, 16) + "/shot.tga", "x"));
    profile->DeleteFiles();
    EXPECT_FALSE(std::filesystem::exists(ProfilesFolder() + "/" + profile->GetFileName()));
    EXPECT_FALSE(std::filesystem::exists(ProfilesFolder() + "/" + profile->GetFileName().substr(0, 16)));
    EXPECT_TRUE(std::filesystem::exists(ProfilesFolder() + "/" + other->GetFileName()));

    // A file named ".prf" has no folder of its own.
    ProfileFileContents contents;
    contents.name = u"Nobody";
    ASSERT_TRUE(ProfileFileWriter::WriteTo(ProfilesFolder() + "/.prf", contents));
    const auto nameless = Load(".prf");
    nameless->DeleteFiles();
    EXPECT_FALSE(std::filesystem::exists(ProfilesFolder() + "/.prf"));
    EXPECT_TRUE(std::filesystem::exists(ProfilesFolder() + "/" + other->GetFileName()));
}

TEST_F(ProfileBaseTest, RenameKeepsTheFileNameAndSaves)
{
    const auto profile = Create(u"Anna Lee");
    const std::string fileName = profile->GetFileName();
    profile->Rename(u"  Anna Smith ");
    EXPECT_EQ(profile->name, u"Anna Smith");
    EXPECT_EQ(profile->GetFileName(), fileName);
    EXPECT_EQ(Load(fileName)->name, u"Anna Smith");
}

} // namespace
} // namespace corvellan::test
