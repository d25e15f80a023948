// Opening files, each path against its floor in paired rounds:
// - 4 KiB entries out of a pack through FileManager::Open + Read, against
//   fseek + fread of the same entries from the same pack kept open;
// - the same files loose on disk, against bare fopen + fread + fclose;
// - one loose name written in the wrong case, against the same name in its
//   exact case (both only open, through the file manager);
// - one loose name in its exact case, against bare fopen + fread + fclose.
// The data is installed long before the game runs: the folders' times are set
// an hour back, as they would be.
#include "bench/support/PairedRounds.h"
#include "content/PackWriter.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace
{

using corvellan::bench::PairedRounds;
using OrvaneEngine::FileBinary;
using OrvaneEngine::FileManager;

constexpr std::size_t EntrySize = 4096;
// Opens of one name per round.
constexpr int OneNameOpens = 200;

std::string EntryName(std::int64_t index)
{
    char name[32];
    std::snprintf(name, sizeof(name), "%04lld.bin", static_cast<long long>(index));
    return name;
}

std::uint32_t ReadU32(const unsigned char* bytes)
{
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

// packed/Data/pack0.pak and loose/data/bench/*.bin hold the same entries.
struct Fixture
{
    explicit Fixture(std::int64_t count)
    {
        corvellan::content::PackWriter pack;
        const std::string bytes(EntrySize, 'x');
        std::filesystem::create_directories(folder.Path() + "/loose/data/bench");
        std::filesystem::create_directories(folder.Path() + "/packed/Data");
        for (std::int64_t index = 0; index < count; ++index)
        {
            names.push_back("data\\bench\\" + EntryName(index));
            pack.Add(names.back(), bytes);
            loosePaths.push_back(folder.Path() + "/loose/data/bench/" + EntryName(index));
            std::ofstream(loosePaths.back(), std::ios::binary) << bytes;
        }
        packPath = folder.Path() + "/packed/Data/pack0.pak";
        pack.WriteTo(packPath);
        const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path()))
        {
            if (entry.is_directory())
                std::filesystem::last_write_time(entry.path(), past);
        }
        std::filesystem::last_write_time(folder.Path(), past);
    }

    // Where each entry lies in the pack, read from its directory.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> PackRecords() const
    {
        std::ifstream in(packPath, std::ios::binary);
        std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::uint32_t count = ReadU32(bytes.data() + 13);
        std::size_t at = 17;
        for (std::uint32_t index = 0; index < count; ++index)
            at += 1 + bytes[at];
        std::vector<std::pair<std::uint32_t, std::uint32_t>> records;
        for (std::uint32_t index = 0; index < count; ++index, at += 8)
            records.emplace_back(ReadU32(bytes.data() + at), ReadU32(bytes.data() + at + 4));
        return records;
    }

    corvellan::test::TempFolder folder{"corvellan-bench"};
    std::vector<std::string> names;
    std::vector<std::string> loosePaths;
    std::string packPath;
};

std::int64_t OpenAndReadAll(FileManager& files, const std::vector<std::string>& names, std::vector<char>& buffer)
{
    std::int64_t bytes = 0;
    for (const std::string& name : names)
    {
        auto file = files.Open(name, false);
        file->Read(buffer.data(), file->GetSize());
        benchmark::DoNotOptimize(buffer.data());
        bytes += file->GetSize();
    }
    return bytes;
}

std::int64_t BareReadAll(const std::vector<std::string>& paths, std::vector<char>& buffer)
{
    std::int64_t bytes = 0;
    for (const std::string& path : paths)
    {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        bytes += static_cast<std::int64_t>(std::fread(buffer.data(), 1, buffer.size(), file));
        benchmark::DoNotOptimize(buffer.data());
        std::fclose(file);
    }
    return bytes;
}

void PackOpenRead(benchmark::State& state)
{
    Fixture fixture(state.range(0));
    FileManager files(nullptr, fixture.folder.Path() + "/packed", "Data");
    const auto records = fixture.PackRecords();
    std::FILE* pack = std::fopen(fixture.packPath.c_str(), "rb");
    std::vector<char> buffer(EntrySize);
    PairedRounds::Run(
        state, [&] { return OpenAndReadAll(files, fixture.names, buffer); },
        [&] {
            std::int64_t bytes = 0;
            for (const auto& [offset, size] : records)
            {
                std::fseek(pack, offset, SEEK_SET);
                bytes += static_cast<std::int64_t>(std::fread(buffer.data(), 1, size, pack));
                benchmark::DoNotOptimize(buffer.data());
            }
            return bytes;
        });
    std::fclose(pack);
}

void LooseOpenRead(benchmark::State& state)
{
    Fixture fixture(state.range(0));
    FileManager files(nullptr, fixture.folder.Path() + "/loose", "Data");
    std::vector<char> buffer(EntrySize);
    PairedRounds::Run(
        state, [&] { return OpenAndReadAll(files, fixture.names, buffer); },
        [&] { return BareReadAll(fixture.loosePaths, buffer); });
}

// One name among range(0) files of its folder.
void WrongCaseOpen(benchmark::State& state)
{
    Fixture fixture(state.range(0));
    FileManager files(nullptr, fixture.folder.Path() + "/loose", "Data");
    const auto opens = [&files](const std::string& name) {
        std::int64_t count = 0;
        for (int open = 0; open < OneNameOpens; ++open)
        {
            benchmark::DoNotOptimize(files.Open(name, false).get());
            ++count;
        }
        return count;
    };
    PairedRounds::Run(
        state, [&] { return opens("DATA\\Bench\\0000.BIN"); }, [&] { return opens("data\\bench\\0000.bin"); });
}

void OneLooseOpen(benchmark::State& state)
{
    Fixture fixture(state.range(0));
    FileManager files(nullptr, fixture.folder.Path() + "/loose", "Data");
    const std::vector<std::string> names(OneNameOpens, "data\\bench\\0000.bin");
    const std::vector<std::string> paths(OneNameOpens, fixture.loosePaths.front());
    std::vector<char> buffer(EntrySize);
    PairedRounds::Run(
        state, [&] { return OpenAndReadAll(files, names, buffer); }, [&] { return BareReadAll(paths, buffer); });
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* name;
        void (*function)(benchmark::State&);
    } paths[] = {
        {"Files/PackOpenRead_vs_FreadFromOpenPack", PackOpenRead},
        {"Files/LooseOpenRead_vs_FopenFreadFclose", LooseOpenRead},
        {"Files/WrongCaseOpen_vs_ExactCaseOpen", WrongCaseOpen},
        {"Files/OneLooseOpenRead_vs_FopenFreadFclose", OneLooseOpen},
    };
    for (const auto& path : paths)
    {
        benchmark::RegisterBenchmark(path.name, path.function)->Arg(1000)->Iterations(PairedRounds::FullRounds);
        benchmark::RegisterBenchmark((std::string(path.name) + "/smoke").c_str(), path.function)
            ->Arg(10)
            ->Iterations(PairedRounds::SmokeRounds);
    }
    return true;
}();

} // namespace
