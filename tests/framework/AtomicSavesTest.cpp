#include "content/HighScoresWriter.h"
#include "content/ProfileListWriter.h"
#include "framework/HighScoresTable.h"
#include "framework/ProfileBase.h"
#include "platform/win32/AtomicFile.h"
#include "platform/win32/testing/CFileHooks.h"
#include "tests/framework/UserFolderTest.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestProfile.h"
#include "tests/support/TestProfileManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{

using win32::testing::FileCall;

// One of the three files the player's actions save, with a change that
// saves it and what memory and the file must show after that change.
struct Subject
{
    const char* what;
    // Makes the objects and their first good file; returns the file's path.
    std::function<std::string()> make;
    std::function<void()> change;
    std::function<bool()> changedInMemory;
    // The bytes the file must hold once the change is saved.
    std::function<std::string()> savedBytes;
    std::function<void()> saveAgain;
    std::function<void()> drop;
};

class AtomicSavesTest : public UserFolderTest
{
protected:
    std::vector<Subject> Subjects()
    {
        return {
            {"profile",
             [this] {
                 profile = std::make_unique<TestProfile>(engine.get(), u"Anna", User());
                 return ProfilesFolder() + "/" + profile->GetFileName();
             },
             [this] { profile->Rename(u"Anna Smith"); }, [this] { return profile->name == u"Anna Smith"; },
             [this] {
                 TestProfile loaded(engine.get(), profile->GetFileName(), User());
                 return loaded.name == u"Anna Smith" ? ReadFileText(ProfilesFolder() + "/" + profile->GetFileName())
                                                           .value_or("")
                                                     : std::string("<old name>");
             },
             [this] { profile->Save(); }, [this] { profile.reset(); }},
            {"profile list",
             [this] {
                 manager = std::make_unique<TestProfileManager>(engine.get(), nullptr, User());
                 manager->CreateProfile(u"Anna");
                 return User() + "/profiles.pmf";
             },
             [this] { manager->SetCurrentProfile(manager->profiles[0].get(), true); },
             [this] { return manager->currentProfile == manager->profiles[0].get(); },
             [] { return content::ProfileListWriter::Build(u"Anna", {}); }, [this] { manager->Save(); },
             [this] { manager.reset(); }},
            {"high scores",
             [this] {
                 table = std::make_unique<GameFramework::HighScoresTable>(engine.get(), 10, User());
                 table->AddScore(u"Anna", 0, 10);
                 return User() + "/high_scores.hsf";
             },
             [this] { table->AddScore(u"Bob", 0, 20); },
             [this] { return table->GetCount(0) == 2 && table->GetEntry(0, 0)->name == u"Bob"; },
             [] {
                 return content::HighScoresWriter::Build(2, {{u"Bob", 0, 20, 1}, {u"Anna", 0, 10, 0}});
             },
             [this] { table->Save(); }, [this] { table.reset(); }},
        };
    }

    std::unique_ptr<TestProfile> profile;
    std::unique_ptr<TestProfileManager> manager;
    std::unique_ptr<GameFramework::HighScoresTable> table;
};

TEST_F(AtomicSavesTest, AFailedSaveLeavesTheOldFileAndMemoryAndTheNextSaveWorks)
{
    struct Failure
    {
        FileCall call;
        const char* name;
    };
    const std::vector<Failure> failures = {{FileCall::Write, "write"}, {FileCall::Flush, "flush"},
                                           {FileCall::Sync, "sync"},   {FileCall::Close, "close"},
                                           {FileCall::Rename, "rename"}};
    for (const Subject& subject : Subjects())
    {
        for (const Failure& failure : failures)
        {
            // Every write of the save fails in turn, up to the first save
            // that no longer reaches the failing write.
            for (std::uint32_t nth = 1;; ++nth)
            {
                SCOPED_TRACE(std::string(subject.what) + ", " + failure.name + " " + std::to_string(nth));
                ASSERT_LT(nth, 100u);
                win32::testing::ResetFileHooks();
                std::filesystem::remove_all(User());
                const std::string path = subject.make();
                const std::string oldBytes = ReadFileText(path).value_or("<missing>");
                const std::string name = std::filesystem::path(path).filename().string();
                const int errors = LoggedLines(2, "");

                win32::testing::FailFileCall(failure.call, nth, name);
                EXPECT_NO_THROW(subject.change());
                const std::string bytes = ReadFileText(path).value_or("<missing>");
                EXPECT_TRUE(subject.changedInMemory());
                EXPECT_FALSE(std::filesystem::exists(win32::AtomicFile::TemporaryName(path)));
                if (failure.call == FileCall::Write && nth > 1 && bytes == subject.savedBytes())
                {
                    EXPECT_EQ(LoggedLines(2, ""), errors);
                    subject.drop();
                    break;
                }
                EXPECT_EQ(bytes, oldBytes);
                EXPECT_EQ(LoggedLines(2, ""), errors + 1);

                win32::testing::ResetFileHooks();
                EXPECT_NO_THROW(subject.saveAgain());
                EXPECT_EQ(ReadFileText(path).value_or("<missing>"), subject.savedBytes());
                subject.drop();
                if (failure.call != FileCall::Write)
                    break;
            }
        }
    }
}

} // namespace
} // namespace corvellan::test
