// The game's profiles on disk: the framework's record followed by the four
// show-once flags, a new profile with every flag set, flags that survive a
// save, a record written without them, and the list file's header.
#include "engine/core/Engine.h"
#include "framework/SoundController.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{

using corvellan::test::ReadFileText;
using corvellan::test::TempFolder;
using corvellan::test::WriteFileBytes;
using Mirabel::Profile;
using Mirabel::ProfileManager;

std::uint32_t U32At(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

float F32At(const std::string& bytes, std::size_t at)
{
    float value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

using Flags = std::array<std::uint8_t, 4>;

// Tutorial, relax offer, introduction, game-complete hint.
Flags FlagsOf(const Profile& profile)
{
    return {profile.tutorialFlag, profile.relaxOfferFlag, profile.introductionFlag, profile.gameCompleteHintFlag};
}

class ProfileTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        Start();
        sounds = std::make_unique<GameFramework::SoundController>(engine.get(), 0.25f, 0.5f);
    }
    void TearDown() override { sounds.reset(); }

    std::unique_ptr<ProfileManager> Manager()
    {
        return std::make_unique<ProfileManager>(engine.get(), sounds.get(), user.Path());
    }
    std::string ProfileBytes(const Profile& profile) const
    {
        return ReadFileText(user.Join("profiles/" + profile.GetFileName())).value_or("");
    }

    TempFolder user{"corvellan-user"};
    std::unique_ptr<GameFramework::SoundController> sounds;
};

TEST_F(ProfileTest, ANewProfileIsSavedWithEveryFlagSetAfterItsVolumes)
{
    auto manager = Manager();
    auto* profile = dynamic_cast<Profile*>(manager->CreateProfile(u"Ann"));
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(FlagsOf(*profile), (Flags{1, 1, 1, 1}));

    const std::string bytes = ProfileBytes(*profile);
    ASSERT_GE(bytes.size(), 13u + 12u);
    EXPECT_EQ(U32At(bytes, 0), bytes.size());
    EXPECT_EQ(bytes.substr(4, 5), "MBPRF");
    EXPECT_EQ(U32At(bytes, 9), 104u);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string(4, '\x01'));
    const std::set<float> volumes{F32At(bytes, bytes.size() - 12), F32At(bytes, bytes.size() - 8)};
    EXPECT_EQ(volumes, (std::set<float>{0.25f, 0.5f}));

    const std::string list = ReadFileText(user.Join("profiles.pmf")).value_or("");
    ASSERT_GE(list.size(), 13u);
    EXPECT_EQ(U32At(list, 0), list.size());
    EXPECT_EQ(list.substr(4, 5), "KWPMF");
    EXPECT_EQ(U32At(list, 9), 100u);
}

TEST_F(ProfileTest, FlagsSurviveASaveAndARecordWithoutThemIsSkipped)
{
    std::string bobFile;
    {
        auto manager = Manager();
        auto* ann = dynamic_cast<Profile*>(manager->CreateProfile(u"Ann"));
        auto* bob = dynamic_cast<Profile*>(manager->CreateProfile(u"Bob"));
        ASSERT_TRUE(ann != nullptr && bob != nullptr);
        ann->relaxOfferFlag = 0;
        ann->gameCompleteHintFlag = 0;
        ann->Save();
        bobFile = user.Join("profiles/" + bob->GetFileName());
    }
    {
        auto manager = Manager();
        auto* ann = dynamic_cast<Profile*>(manager->FindProfile(u"Ann"));
        ASSERT_NE(ann, nullptr);
        EXPECT_EQ(FlagsOf(*ann), (Flags{1, 0, 1, 0}));
        EXPECT_NE(manager->FindProfile(u"Bob"), nullptr);
    }

    // Bob's record as a well-formed file of an older writer: no flags, and a
    // header whose size says so.
    std::string bytes = ReadFileText(bobFile).value_or("");
    ASSERT_GT(bytes.size(), 17u);
    bytes.resize(bytes.size() - 4);
    const std::uint32_t size = static_cast<std::uint32_t>(bytes.size());
    std::memcpy(bytes.data(), &size, sizeof size);
    ASSERT_TRUE(WriteFileBytes(bobFile, bytes));

    auto manager = Manager();
    EXPECT_EQ(manager->FindProfile(u"Bob"), nullptr);
    EXPECT_NE(manager->FindProfile(u"Ann"), nullptr);
    EXPECT_EQ(manager->profiles.size(), 1u);
}

} // namespace
