// Opening files: FileManager::Open + Read of many 4 KiB entries from one pack
// and of the same files loose on disk, against a bare fopen/fread loop; and
// one loose name written in its exact case against one that needs the
// case-insensitive fallback, against bare fopen. The floors show what the
// pack directory and the path resolution cost per open.
#include "content/PackWriter.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace
{

using OrvaneEngine::FileBinary;
using OrvaneEngine::FileManager;

constexpr std::size_t EntrySize = 4096;

std::string EntryName(std::int64_t index)
{
    char name[32];
    std::snprintf(name, sizeof(name), "%04lld.bin", static_cast<long long>(index));
    return name;
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
            std::ofstream(folder.Path() + "/loose/data/bench/" + EntryName(index), std::ios::binary) << bytes;
        }
        pack.WriteTo(folder.Path() + "/packed/Data/pack0.pak");
    }

    corvellan::test::TempFolder folder{"corvellan-bench"};
    std::vector<std::string> names;
};

void OpenAndRead(benchmark::State& state, const std::string& root, const std::vector<std::string>& names)
{
    FileManager files(nullptr, root, "Data");
    std::vector<char> buffer(EntrySize);
    for (auto _ : state)
    {
        for (const std::string& name : names)
        {
            auto file = files.Open(name, false);
            file->Read(buffer.data(), file->GetSize());
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(names.size()));
}

void FromPack(benchmark::State& state)
{
    Fixture fixture(state.range(0));
    OpenAndRead(state, fixture.folder.Path() + "/packed", fixture.names);
}

void FromDisk(benchmark::State& state)
{
    Fixture fixture(state.range(0));
    OpenAndRead(state, fixture.folder.Path() + "/loose", fixture.names);
}

void BareFopenFloor(benchmark::State& state)
{
    Fixture fixture(state.range(0));
    std::vector<std::string> paths;
    for (std::int64_t index = 0; index < state.range(0); ++index)
        paths.push_back(fixture.folder.Path() + "/loose/data/bench/" + EntryName(index));
    std::vector<char> buffer(EntrySize);
    for (auto _ : state)
    {
        for (const std::string& path : paths)
        {
            std::FILE* file = std::fopen(path.c_str(), "rb");
            benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), file));
            std::fclose(file);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(paths.size()));
}

// One name among range(0) files of its folder, opened over and over.
void OpenOneName(benchmark::State& state, bool exactCase)
{
    Fixture fixture(state.range(0));
    const std::string root = fixture.folder.Path() + "/loose";
    const std::string name = exactCase ? "data\\bench\\0000.bin" : "DATA\\Bench\\0000.BIN";
    FileManager files(nullptr, root, "Data");
    for (auto _ : state)
        benchmark::DoNotOptimize(files.Open(name, false).get());
    state.SetItemsProcessed(state.iterations());
}

void ExactCase(benchmark::State& state)
{
    OpenOneName(state, true);
}

void CaseFallback(benchmark::State& state)
{
    OpenOneName(state, false);
}

void BareFopenOneFloor(benchmark::State& state)
{
    Fixture fixture(state.range(0));
    const std::string path = fixture.folder.Path() + "/loose/data/bench/0000.bin";
    std::vector<char> buffer(EntrySize);
    for (auto _ : state)
    {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), file));
        std::fclose(file);
    }
    state.SetItemsProcessed(state.iterations());
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* suffix;
        std::int64_t count;
    } sizes[] = {{"/smoke", 10}, {"", 1000}};
    for (const auto& size : sizes)
    {
        const std::string suffix = size.suffix;
        benchmark::RegisterBenchmark(("Open_FromPack" + suffix).c_str(), FromPack)->Arg(size.count);
        benchmark::RegisterBenchmark(("Open_FromDisk" + suffix).c_str(), FromDisk)->Arg(size.count);
        benchmark::RegisterBenchmark(("Open_BareFopenFloor" + suffix).c_str(), BareFopenFloor)->Arg(size.count);
        benchmark::RegisterBenchmark(("OpenName_ExactCase" + suffix).c_str(), ExactCase)->Arg(size.count);
        benchmark::RegisterBenchmark(("OpenName_CaseFallback" + suffix).c_str(), CaseFallback)->Arg(size.count);
        benchmark::RegisterBenchmark(("OpenName_BareFopenFloor" + suffix).c_str(), BareFopenOneFloor)
            ->Arg(size.count);
    }
    return true;
}();

} // namespace
