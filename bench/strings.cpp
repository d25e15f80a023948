// Number printing and narrow/wide conversion against their bare floors: a
// printf into a stack buffer, and a plain table-lookup loop.
#include "engine/core/StringFunctions.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using namespace OrvaneEngine;

namespace
{

void UIntToStringCase(benchmark::State& state)
{
    const auto digits = static_cast<std::uint32_t>(state.range(0));
    std::uint32_t value = 12345;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(UIntToString(value, digits));
        value += 7919;
    }
}

void UIntSnprintfFloor(benchmark::State& state)
{
    const int digits = static_cast<int>(state.range(0));
    std::uint32_t value = 12345;
    for (auto _ : state)
    {
        std::array<char, 64> buffer;
        std::snprintf(buffer.data(), buffer.size(), "%.*u", digits, value);
        benchmark::DoNotOptimize(buffer);
        value += 7919;
    }
}

void IntToStringWCase(benchmark::State& state)
{
    const auto digits = static_cast<std::uint32_t>(state.range(0));
    std::int32_t value = -12345;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(IntToStringW(value, digits));
        value += 7919;
    }
}

void IntSnprintfFloor(benchmark::State& state)
{
    const int digits = static_cast<int>(state.range(0));
    std::int32_t value = -12345;
    for (auto _ : state)
    {
        std::array<char, 64> buffer;
        std::snprintf(buffer.data(), buffer.size(), "%.*i", digits, value);
        benchmark::DoNotOptimize(buffer);
        value += 7919;
    }
}

void FloatToStringCase(benchmark::State& state)
{
    const auto digits = static_cast<std::uint32_t>(state.range(0));
    float value = 0.95f;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(FloatToString(value, digits));
        value += 1.25f;
    }
}

void FloatSnprintfFloor(benchmark::State& state)
{
    const int digits = static_cast<int>(state.range(0));
    float value = 0.95f;
    for (auto _ : state)
    {
        std::array<char, 64> buffer;
        std::snprintf(buffer.data(), buffer.size(), "%0.*f", digits, static_cast<double>(value));
        benchmark::DoNotOptimize(buffer);
        value += 1.25f;
    }
}

// Letters, digits, blanks and some bytes above ASCII, as game texts hold them.
std::string SampleText(std::size_t length)
{
    const std::string pattern = "Stage 12: Caf\xE9 \xC0 la cr\xE8me, \x80 5 \x96 ok. ";
    std::string text;
    while (text.size() < length)
        text += pattern;
    text.resize(length);
    return text;
}

// The floor's own table: 1252 with its undefined bytes as C1 controls.
const std::array<char16_t, 256>& FloorTable()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> units{};
        const std::string all = [] {
            std::string bytes;
            for (int b = 1; b < 256; ++b)
                bytes.push_back(static_cast<char>(b));
            return bytes;
        }();
        const std::u16string wide = NarrowToWide(all);
        for (std::size_t i = 0; i < wide.size(); ++i)
            units[i + 1] = wide[i];
        return units;
    }();
    return table;
}

void NarrowToWideCase(benchmark::State& state)
{
    const std::string text = SampleText(static_cast<std::size_t>(state.range(0)));
    std::u16string out;
    for (auto _ : state)
    {
        NarrowToWideInto(text, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void NarrowToWideFloor(benchmark::State& state)
{
    const std::string text = SampleText(static_cast<std::size_t>(state.range(0)));
    const auto& table = FloorTable();
    std::u16string out;
    for (auto _ : state)
    {
        out.clear();
        for (const char c : text)
            out.push_back(table[static_cast<unsigned char>(c)]);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void WideToNarrowCase(benchmark::State& state)
{
    const std::u16string text = NarrowToWide(SampleText(static_cast<std::size_t>(state.range(0))));
    std::string out;
    for (auto _ : state)
    {
        WideToNarrowInto(text, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void WideToNarrowFloor(benchmark::State& state)
{
    const std::u16string text = NarrowToWide(SampleText(static_cast<std::size_t>(state.range(0))));
    // A full reverse table, -1 where a unit has no byte.
    std::vector<std::int16_t> reverse(65536, -1);
    const auto& table = FloorTable();
    for (int b = 0; b < 256; ++b)
        reverse[table[static_cast<std::size_t>(b)]] = static_cast<std::int16_t>(b);
    std::string out;
    for (auto _ : state)
    {
        out.clear();
        for (const char16_t unit : text)
        {
            const std::int16_t byte = reverse[unit];
            if (byte >= 0)
                out.push_back(static_cast<char>(byte));
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

// Digit counts: 0 (plain) and 3, the common zero-padded case; the smoke run
// takes the plain one. Texts: 1 KiB, and 64 bytes for the smoke run.
void DigitCounts(benchmark::internal::Benchmark* b)
{
    b->ArgName("digits")->Arg(3);
}

} // namespace

BENCHMARK(UIntToStringCase)->Name("UIntToString")->Apply(DigitCounts);
BENCHMARK(UIntToStringCase)->Name("UIntToString/smoke")->Arg(0);
BENCHMARK(UIntSnprintfFloor)->Name("UIntToString_SnprintfFloor")->Apply(DigitCounts);
BENCHMARK(UIntSnprintfFloor)->Name("UIntToString_SnprintfFloor/smoke")->Arg(0);
BENCHMARK(IntToStringWCase)->Name("IntToStringW")->Apply(DigitCounts);
BENCHMARK(IntToStringWCase)->Name("IntToStringW/smoke")->Arg(0);
BENCHMARK(IntSnprintfFloor)->Name("IntToStringW_SnprintfFloor")->Apply(DigitCounts);
BENCHMARK(IntSnprintfFloor)->Name("IntToStringW_SnprintfFloor/smoke")->Arg(0);
BENCHMARK(FloatToStringCase)->Name("FloatToString")->Arg(6);
BENCHMARK(FloatToStringCase)->Name("FloatToString/smoke")->Arg(0);
BENCHMARK(FloatSnprintfFloor)->Name("FloatToString_SnprintfFloor")->Arg(6);
BENCHMARK(FloatSnprintfFloor)->Name("FloatToString_SnprintfFloor/smoke")->Arg(0);
BENCHMARK(NarrowToWideCase)->Name("NarrowToWide")->Arg(1024);
BENCHMARK(NarrowToWideCase)->Name("NarrowToWide/smoke")->Arg(64);
BENCHMARK(NarrowToWideFloor)->Name("NarrowToWide_TableFloor")->Arg(1024);
BENCHMARK(NarrowToWideFloor)->Name("NarrowToWide_TableFloor/smoke")->Arg(64);
BENCHMARK(WideToNarrowCase)->Name("WideToNarrow")->Arg(1024);
BENCHMARK(WideToNarrowCase)->Name("WideToNarrow/smoke")->Arg(64);
BENCHMARK(WideToNarrowFloor)->Name("WideToNarrow_TableFloor")->Arg(1024);
BENCHMARK(WideToNarrowFloor)->Name("WideToNarrow_TableFloor/smoke")->Arg(64);
