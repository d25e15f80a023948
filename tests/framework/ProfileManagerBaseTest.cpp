#include "content/PackWriter.h"
#include "content/ProfileFileWriter.h"
#include "content/ProfileListWriter.h"
#include "framework/ProfileBase.h"
#include "framework/SoundController.h"
#include "tests/framework/UserFolderTest.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestProfileManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{

using content::PackWriter;
using content::ProfileFileContents;
using content::ProfileFileWriter;
using content::ProfileListRecord;
using content::ProfileListWriter;
using content::RecordFileDamage;
using GameFramework::ProfileBase;
using GameFramework::SoundController;

class ProfileManagerBaseTest : public UserFolderTest
{
protected:
    void SetUp() override
    {
        UserFolderTest::SetUp();
        controller = std::make_unique<SoundController>(engine.get(), 1.0f, 1.0f);
    }

    void TearDown() override
    {
        manager.reset();
        controller.reset();
        UserFolderTest::TearDown();
    }

    TestProfileManager& Make()
    {
        manager.reset();
        manager = std::make_unique<TestProfileManager>(engine.get(), controller.get(), User());
        return *manager;
    }

    std::string ListPath() const { return User() + "/profiles.pmf"; }
    std::string ListFile() const { return ReadFileText(ListPath()).value_or("<missing>"); }

    void PutProfile(const std::string& fileName, const std::u16string& name)
    {
        ProfileFileContents contents;
        contents.name = name;
        ASSERT_TRUE(ProfileFileWriter::WriteTo(ProfilesFolder() + "/" + fileName, contents));
    }

    static std::vector<std::u16string> Names(const TestProfileManager& profiles)
    {
        std::vector<std::u16string> names;
        for (const auto& profile : profiles.profiles)
            names.push_back(profile->name);
        return names;
    }

    std::unique_ptr<SoundController> controller;
    std::unique_ptr<TestProfileManager> manager;
};

TEST_F(ProfileManagerBaseTest, ProfilesAreKeptInNameOrderWithoutRegardToCase)
{
    TestProfileManager& profiles = Make();
    for (const char16_t* name : {u"bob", u"Alice", u"carl"})
        profiles.CreateProfile(name);
    EXPECT_EQ(Names(profiles), (std::vector<std::u16string>{u"Alice", u"bob", u"carl"}));
    EXPECT_EQ(Names(Make()), (std::vector<std::u16string>{u"Alice", u"bob", u"carl"})) << "after a reload";
}

TEST_F(ProfileManagerBaseTest, CreatingAnExistingNameReturnsThatProfileAndWritesNothing)
{
    TestProfileManager& profiles = Make();
    ProfileBase* alice = profiles.CreateProfile(u"Alice");
    const auto before = Listing();
    EXPECT_EQ(profiles.CreateProfile(u"ALICE"), alice);
    EXPECT_EQ(profiles.profiles.size(), 1u);
    EXPECT_EQ(Listing(), before);
}

TEST_F(ProfileManagerBaseTest, NewProfileTakesTheControllersVolumesAndIsNotCurrent)
{
    controller->SetMusicVolume(0.3f);
    controller->SetSoundVolume(0.6f);
    TestProfileManager& profiles = Make();
    ProfileBase* profile = profiles.CreateProfile(u"Anna");
    EXPECT_EQ(profiles.currentProfile, nullptr);
    EXPECT_FLOAT_EQ(profile->settings->musicVolume, 0.3f);
    EXPECT_FLOAT_EQ(profile->settings->soundVolume, 0.6f);
    EXPECT_EQ(ListFile(), ProfileListWriter::Build(u"", {}));

    Make();
    ASSERT_EQ(manager->profiles.size(), 1u);
    EXPECT_FLOAT_EQ(manager->profiles[0]->settings->musicVolume, 0.3f);
    EXPECT_FLOAT_EQ(manager->profiles[0]->settings->soundVolume, 0.6f);
}

TEST_F(ProfileManagerBaseTest, ApplyCurrentProfileSetsTheControllersVolumes)
{
    TestProfileManager& profiles = Make();
    ProfileBase* profile = profiles.CreateProfile(u"Anna");
    profile->settings->musicVolume = 0.25f;
    profile->settings->soundVolume = 0.5f;
    profiles.ApplyCurrentProfile();
    EXPECT_FLOAT_EQ(controller->GetMusicVolume(), 1.0f) << "no profile is current yet";
    profiles.SetCurrentProfile(profile, false);
    profiles.ApplyCurrentProfile();
    EXPECT_FLOAT_EQ(controller->GetMusicVolume(), 0.25f);
    EXPECT_FLOAT_EQ(controller->GetSoundVolume(), 0.5f);
}

TEST_F(ProfileManagerBaseTest, DeletingMovesTheCurrentProfileOnAndKeepsTheRecords)
{
    const std::vector<ProfileListRecord> records = {{7, 8, u"kept", 0x3F800000u}};
    PutProfile("alice.prf", u"Alice");
    PutProfile("bob.prf", u"bob");
    ASSERT_TRUE(ProfileListWriter::WriteTo(ListPath(), u"bob", records));
    TestProfileManager& profiles = Make();
    ASSERT_NE(profiles.currentProfile, nullptr);
    EXPECT_EQ(profiles.currentProfile->name, u"bob");

    profiles.DeleteProfile(u"BOB");
    EXPECT_FALSE(std::filesystem::exists(ProfilesFolder() + "/bob.prf"));
    ASSERT_EQ(profiles.currentProfile, profiles.profiles.at(0).get());
    EXPECT_EQ(profiles.currentProfile->name, u"Alice");
    EXPECT_EQ(ListFile(), ProfileListWriter::Build(u"Alice", records));

    profiles.DeleteProfile(u"nobody");
    EXPECT_EQ(profiles.profiles.size(), 1u);
    profiles.DeleteProfile(u"alice");
    EXPECT_TRUE(profiles.profiles.empty());
    EXPECT_EQ(profiles.currentProfile, nullptr);
    const std::string list = ListFile();
    EXPECT_EQ(list, ProfileListWriter::Build(u"", records));
    EXPECT_EQ(list.substr(13, 3), std::string("\x01\x00\x00", 3));
    EXPECT_TRUE(std::filesystem::exists(ProfilesFolder())) << "only the profiles' own files go";
}

TEST_F(ProfileManagerBaseTest, RenameChangesTheNameAndOrderButNotTheFile)
{
    TestProfileManager& profiles = Make();
    ProfileBase* alice = profiles.CreateProfile(u"Alice");
    profiles.CreateProfile(u"Bob");
    const std::string fileName = alice->GetFileName();

    profiles.RenameProfile(u"alice", u"Zoe");
    EXPECT_EQ(Names(profiles), (std::vector<std::u16string>{u"Bob", u"Zoe"}));
    EXPECT_EQ(alice->GetFileName(), fileName);

    const auto before = Listing();
    profiles.RenameProfile(u"Zoe", u"BOB");
    profiles.RenameProfile(u"", u"Carl");
    profiles.RenameProfile(u"Nobody", u"Dan");
    EXPECT_EQ(Names(profiles), (std::vector<std::u16string>{u"Bob", u"Zoe"}));
    EXPECT_EQ(Listing(), before);
}

TEST_F(ProfileManagerBaseTest, ListFileRecordsComeBackByteForByte)
{
    PutProfile("anna.prf", u"Anna");
    // A signalling NaN's bits must survive the round trip.
    const std::vector<ProfileListRecord> records = {{1, 2, u"first", 0x7F800001u}, {0xFFFFFFFFu, 0, u"", 0x80000000u}};
    const std::string bytes = ProfileListWriter::Build(u"anna", records);
    ASSERT_TRUE(WriteFileBytes(ListPath(), bytes));
    TestProfileManager& profiles = Make();
    ASSERT_NE(profiles.currentProfile, nullptr);
    ASSERT_EQ(profiles.GetEntries().size(), 2u);
    EXPECT_EQ(profiles.GetEntries()[0]->text, u"first");
    profiles.SetCurrentProfile(profiles.currentProfile, true);
    EXPECT_EQ(ListFile(), ProfileListWriter::Build(u"Anna", records));
}

TEST_F(ProfileManagerBaseTest, UnreadableListFileLeavesNoCurrentProfileAndNoRecords)
{
    const std::vector<ProfileListRecord> records = {{1, 2, u"first", 0}, {3, 4, u"second", 0}};
    RecordFileDamage beyond;
    beyond.count = 3;
    RecordFileDamage oldVersion;
    oldVersion.header.version = 99;
    struct Case
    {
        const char* what;
        std::optional<std::string> bytes;
        std::size_t recordsKept;
    };
    const std::vector<Case> cases = {
        {"a record count beyond the bytes", ProfileListWriter::Build(u"Anna", records, beyond), 0},
        {"another version", ProfileListWriter::Build(u"Anna", records, oldVersion), 0},
        {"an unknown current name", ProfileListWriter::Build(u"Bert", records), 2},
        {"no list file", std::nullopt, 0},
    };
    PutProfile("anna.prf", u"Anna");
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(ListPath());
        if (c.bytes)
        {
            ASSERT_TRUE(WriteFileBytes(ListPath(), *c.bytes));
        }
        TestProfileManager& profiles = Make();
        EXPECT_EQ(profiles.currentProfile, nullptr);
        EXPECT_EQ(profiles.GetEntries().size(), c.recordsKept);
        EXPECT_EQ(profiles.profiles.size(), 1u);
        profiles.SetCurrentProfile(profiles.profiles[0].get(), true);
        Make();
        ASSERT_NE(manager->currentProfile, nullptr) << "the next save writes a list that reads back";
        EXPECT_EQ(manager->currentProfile->name, u"Anna");
    }
}

TEST_F(ProfileManagerBaseTest, ProfileFilesThatFailToLoadStayOnDiskUnlisted)
{
    PutProfile("anna.prf", u"Anna");
    RecordFileDamage oldVersion;
    oldVersion.header.version = 103;
    ProfileFileContents contents;
    contents.name = u"Old";
    const std::string old = ProfileFileWriter::Build(contents, oldVersion);
    ASSERT_TRUE(WriteFileBytes(ProfilesFolder() + "/old.prf", old));
    ASSERT_TRUE(WriteFileBytes(ProfilesFolder() + "/notes.txt", "not a profile"));

    TestProfileManager& profiles = Make();
    EXPECT_EQ(Names(profiles), std::vector<std::u16string>{u"Anna"});
    EXPECT_EQ(ReadFileText(ProfilesFolder() + "/old.prf"), old);
    EXPECT_EQ(LoggedLines(2, "format version (103)"), 1);
}

// A per-user folder named relative to the root reaches the packs too.
TEST_F(ProfileManagerBaseTest, PackedProfilesAreListedLikeAnyOther)
{
    ProfileFileContents packed;
    packed.name = u"Packed";
    PackWriter pack;
    pack.Add("user/profiles/packed.prf", ProfileFileWriter::Build(packed));
    ASSERT_TRUE(pack.WriteTo(folder.Join("packs/profiles.pak")));
    settings.packFolder = "packs";
    controller.reset();
    Start();
    PutProfile("anna.prf", u"Anna");

    TestProfileManager profiles(engine.get(), nullptr, "user");
    EXPECT_EQ(Names(profiles), (std::vector<std::u16string>{u"Anna", u"Packed"}));
}

} // namespace
} // namespace corvellan::test
