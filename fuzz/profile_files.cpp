// The player's files on hostile bytes: the input is written in turn as a
// profile, as the profile list and as the high-score table of a per-user
// folder, and the test game's profile list and the table are made over it
// and driven as the screens drive them. A damaged file must be skipped or
// replaced, never crash, hang or take memory in proportion to a count.
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "framework/HighScoresTable.h"
#include "framework/ProfileBase.h"
#include "tests/support/FuzzEngine.h"
#include "tests/support/TestProfileManager.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

using corvellan::test::FuzzEngine;
using corvellan::test::TestProfileManager;
using GameFramework::HighScoresTable;
using GameFramework::ProfileBase;

void Check(bool condition, const char* what)
{
    if (!condition)
    {
        std::fprintf(stderr, "profile files: %s\n", what);
        std::abort();
    }
}

FuzzEngine& GetEngine()
{
    static FuzzEngine engine;
    return engine;
}

void Drive(FuzzEngine& fuzz, const std::string& user)
{
    TestProfileManager profiles(fuzz.Get(), nullptr, user);
    HighScoresTable table(fuzz.Get(), 10, user);
    Check(profiles.currentProfile == nullptr ||
              std::any_of(profiles.profiles.begin(), profiles.profiles.end(),
                          [&](const auto& profile) { return profile.get() == profiles.currentProfile; }),
          "the current profile is not in the list");
    Check(std::is_sorted(profiles.profiles.begin(), profiles.profiles.end(), TestProfileManager::CompareProfileNames),
          "the profiles are not in order");

    profiles.FindProfile(u"Fuzz");
    ProfileBase* created = profiles.CreateProfile(u"Fuzz");
    Check(created != nullptr && profiles.FindProfile(u"FUZZ") == created, "the new profile cannot be found");
    profiles.SetCurrentProfile(created, true);
    profiles.RenameProfile(profiles.profiles.front()->name, u"Fuzz Renamed");
    profiles.DeleteProfile(u"fuzz renamed");
    profiles.DeleteProfile(u"Fuzz");
    Check(profiles.currentProfile == nullptr || profiles.currentProfile == profiles.profiles.front().get(),
          "deleting left a current profile outside the list");

    for (std::uint32_t score = 0; score < 11; ++score)
        table.AddScore(u"Fuzz", score % 2, 1000 - score * 50);
    Check(table.GetCount(0) <= 10 && table.GetCount(1) <= 10, "a mode holds more rows than it may");
    table.Save();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzEngine& fuzz = GetEngine();
    const std::string user = fuzz.workspace.root.Join("user");
    for (const char* relative : {"user/profiles/x.prf", "user/profiles.pmf", "user/high_scores.hsf"})
    {
        std::filesystem::remove_all(user);
        fuzz.workspace.Put(relative, data, size);
        Drive(fuzz, user);
        fuzz.Get()->messageManager->ClearMessages();
    }
    return 0;
}
