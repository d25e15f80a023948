// What the framework adds to an atomic write of the player's files: a
// profile with 50 level results saved, and a score added to a full
// high-score table (sort, trim and save); each against a bare fopen, fwrite,
// fflush, fsync, fclose and rename of the same bytes.
#include "bench/support/PairedRounds.h"
#include "bench/support/StartDevice.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelResult.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestProfile.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

namespace
{

using corvellan::bench::PairedRounds;
using corvellan::test::TestProfile;
using GameFramework::HighScoresTable;

constexpr std::uint32_t resultCount = 50;

// The floor: the same bytes replace the same kind of file the barest way.
bool BareWrite(const std::string& path, const std::string& bytes)
{
    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fflush(file) == 0 && written;
    written = ::fsync(::fileno(file)) == 0 && written;
    written = std::fclose(file) == 0 && written;
    return written && std::rename(temporary.c_str(), path.c_str()) == 0;
}

class Stage
{
public:
    Stage()
    {
        ready = corvellan::bench::StartDevice([&] { fixture.Start(); });
    }

    std::string User() const { return files.Join("user"); }

    corvellan::test::EngineFixture fixture{corvellan::test::EngineFixture::Options{true}};
    corvellan::test::TempFolder files{"corvellan-bench"};
    bool ready = false;
};

void ProfileSave(benchmark::State& state)
{
    Stage stage;
    if (!stage.ready)
    {
        state.SkipWithError("no engine");
        return;
    }
    TestProfile profile(stage.fixture.engine.get(), std::u16string(u"Anna Lee"), stage.User());
    for (std::uint32_t level = 0; level < resultCount; ++level)
    {
        auto result = std::make_unique<GameFramework::LevelResult>();
        result->stage = level / 10;
        result->level = level % 10;
        result->time = 30.0f + static_cast<float>(level);
        profile.results.push_back(std::move(result));
    }
    profile.Save();
    const std::string path = stage.User() + "/profiles/" + profile.GetFileName();
    const std::string bytes = corvellan::test::ReadFileText(path).value_or("");
    const std::string barePath = stage.User() + "/bare.prf";
    const std::int64_t saves = state.range(0);
    PairedRounds::Run(
        state,
        [&] {
            for (std::int64_t save = 0; save < saves; ++save)
                profile.Save();
            return saves * static_cast<std::int64_t>(corvellan::test::ReadFileText(path).value_or("").size());
        },
        [&] {
            std::int64_t written = 0;
            for (std::int64_t save = 0; save < saves; ++save)
                written += BareWrite(barePath, bytes) ? static_cast<std::int64_t>(bytes.size()) : 0;
            return written;
        });
}

void AddScoreToAFullTable(benchmark::State& state)
{
    Stage stage;
    if (!stage.ready)
    {
        state.SkipWithError("no engine");
        return;
    }
    HighScoresTable table(stage.fixture.engine.get(), 10, stage.User());
    for (std::uint32_t row = 0; row < 20; ++row)
        table.AddScore(u"Player", row % 2, 1000 + row * 100);
    const std::string path = stage.User() + "/high_scores.hsf";
    const std::string barePath = stage.User() + "/bare.hsf";
    const std::int64_t adds = state.range(0);
    PairedRounds::Run(
        state,
        [&] {
            std::int64_t written = 0;
            for (std::int64_t add = 0; add < adds; ++add)
            {
                // Too low to stay: the table, and so its file, keep their size.
                table.AddScore(u"Late", 0, 1);
                written += static_cast<std::int64_t>(corvellan::test::ReadFileText(path).value_or("").size());
            }
            return written;
        },
        [&] {
            const std::string bytes = corvellan::test::ReadFileText(path).value_or("");
            std::int64_t written = 0;
            for (std::int64_t add = 0; add < adds; ++add)
            {
                written += BareWrite(barePath, bytes) ? static_cast<std::int64_t>(bytes.size()) : 0;
                benchmark::DoNotOptimize(corvellan::test::ReadFileText(path).value_or("").size());
            }
            return written;
        });
}

} // namespace

BENCHMARK(ProfileSave)->Name("Saves/ProfileSave_vs_BareWrite")->Arg(20)->Iterations(PairedRounds::FullRounds);
BENCHMARK(ProfileSave)->Name("Saves/ProfileSave_vs_BareWrite/smoke")->Arg(2)->Iterations(PairedRounds::SmokeRounds);
BENCHMARK(AddScoreToAFullTable)
    ->Name("Saves/AddScore_vs_BareWrite")
    ->Arg(20)
    ->Iterations(PairedRounds::FullRounds);
BENCHMARK(AddScoreToAFullTable)
    ->Name("Saves/AddScore_vs_BareWrite/smoke")
    ->Arg(2)
    ->Iterations(PairedRounds::SmokeRounds);
