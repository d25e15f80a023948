// Word reading: FileTextual::GetString over a list of words held in memory (as
// every text file of the program is), against std::istringstream >> std::string
// over the same bytes. The floor shows what the byte-at-a-time reader, its
// buffer and its comment rule cost per word.
#include "engine/core/FileBinary.h"
#include "engine/core/FileTextual.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

namespace
{

using OrvaneEngine::FileBinary;
using OrvaneEngine::FileTextual;

// Words of 3 to 10 letters, separated by blanks, with a line end now and then.
std::string WordList(std::int64_t bytes)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(bytes) + 16);
    std::uint32_t state = 12345;
    std::int64_t onLine = 0;
    while (static_cast<std::int64_t>(text.size()) < bytes)
    {
        state = state * 1103515245u + 12345u;
        const int length = 3 + static_cast<int>((state >> 16) % 8);
        for (int i = 0; i < length; ++i)
            text += static_cast<char>('a' + (state >> (i + 3)) % 26);
        text += ++onLine % 12 == 0 ? "\r\n" : " ";
    }
    return text;
}

void TextualGetString(benchmark::State& state)
{
    const std::string bytes = WordList(state.range(0));
    std::int64_t words = 0;
    for (auto _ : state)
    {
        auto file = std::make_unique<FileBinary>("words", false, false, true, static_cast<std::uint32_t>(bytes.size()),
                                                 bytes.data());
        FileTextual text(std::move(file), false, FileTextual::EncodingAnsi);
        std::string word;
        while (text.GetString(word, false))
        {
            benchmark::DoNotOptimize(word.data());
            ++words;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    state.counters["words"] = benchmark::Counter(static_cast<double>(words), benchmark::Counter::kIsRate);
}

void StringStreamWords(benchmark::State& state)
{
    const std::string bytes = WordList(state.range(0));
    std::int64_t words = 0;
    for (auto _ : state)
    {
        std::istringstream stream(bytes);
        std::string word;
        while (stream >> word)
        {
            benchmark::DoNotOptimize(word.data());
            ++words;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    state.counters["words"] = benchmark::Counter(static_cast<double>(words), benchmark::Counter::kIsRate);
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* suffix;
        std::int64_t bytes;
    } sizes[] = {{"/smoke", 4096}, {"/1MiB", 1 << 20}};
    for (const auto& size : sizes)
    {
        const std::string suffix = size.suffix;
        benchmark::RegisterBenchmark(("Text/FileTextualGetString" + suffix).c_str(), TextualGetString)
            ->Arg(size.bytes);
        benchmark::RegisterBenchmark(("Text/IStringStream" + suffix).c_str(), StringStreamWords)->Arg(size.bytes);
    }
    return true;
}();

} // namespace
