// The cost of one log entry: MessageManager::Message with the file kept open
// and with the file reopened per entry, each against a bare fwrite of the
// same bytes (and a bare open-append-close for the reopened case). The
// difference is the price of the lock, the list and the reopening.
#include "engine/core/MessageManager.h"
#include "tests/support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{

using OrvaneEngine::MessageManager;

// Files grow with every entry; they are started afresh (off the clock) after
// this many, which also empties the list as the engine does every frame.
constexpr std::int64_t entriesPerFile = 1 << 15;

std::string EntryText(std::int64_t length)
{
    std::string text;
    for (std::int64_t i = 0; i < length; ++i)
        text += static_cast<char>('a' + i % 26);
    return text;
}

void LogMessage(benchmark::State& state, bool reopen)
{
    corvellan::test::TempFolder folder{"corvellan-bench"};
    const std::string text = EntryText(state.range(0));
    auto log = std::make_unique<MessageManager>("Bench", true, reopen, folder.Path(), "");
    std::int64_t written = 0;
    for (auto _ : state)
    {
        log->Message(text);
        if (++written % entriesPerFile == 0)
        {
            state.PauseTiming();
            log.reset();
            log = std::make_unique<MessageManager>("Bench", true, reopen, folder.Path(), "");
            state.ResumeTiming();
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() + 4));
}

// What the page receives for one message: the text and its line break.
void BareWrite(benchmark::State& state)
{
    corvellan::test::TempFolder folder{"corvellan-bench"};
    const std::string bytes = EntryText(state.range(0)) + "<BR>";
    const std::string path = folder.Path() + "/bare.html";
    std::FILE* file = std::fopen(path.c_str(), "w");
    std::int64_t written = 0;
    for (auto _ : state)
    {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        if (++written % entriesPerFile == 0)
        {
            state.PauseTiming();
            std::fclose(file);
            file = std::fopen(path.c_str(), "w");
            state.ResumeTiming();
        }
    }
    std::fclose(file);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void BareReopenedWrite(benchmark::State& state)
{
    corvellan::test::TempFolder folder{"corvellan-bench"};
    const std::string bytes = EntryText(state.range(0)) + "<BR>";
    const std::string path = folder.Path() + "/bare.html";
    std::int64_t written = 0;
    for (auto _ : state)
    {
        std::FILE* file = std::fopen(path.c_str(), "a");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        if (++written % entriesPerFile == 0)
        {
            state.PauseTiming();
            std::filesystem::remove(path);
            state.ResumeTiming();
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void Register()
{
    struct Size
    {
        const char* suffix;
        std::int64_t length;
    };
    for (const Size size : {Size{"/smoke", 32}, Size{"", 256}})
    {
        const std::string suffix = size.suffix;
        benchmark::RegisterBenchmark(("Log/Message/kept" + suffix).c_str(),
                                     [](benchmark::State& state) { LogMessage(state, false); })
            ->Arg(size.length);
        benchmark::RegisterBenchmark(("Log/BareFwrite" + suffix).c_str(), BareWrite)->Arg(size.length);
        benchmark::RegisterBenchmark(("Log/Message/reopened" + suffix).c_str(),
                                     [](benchmark::State& state) { LogMessage(state, true); })
            ->Arg(size.length);
        benchmark::RegisterBenchmark(("Log/BareReopenedFwrite" + suffix).c_str(), BareReopenedWrite)
            ->Arg(size.length);
    }
}

const int registered = (Register(), 0);

} // namespace
