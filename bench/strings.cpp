// Number printing and narrow/wide conversion against their bare floors in
// paired rounds: a printf into a stack buffer, and a plain table-lookup loop.
// Both sides add up the length of what they produce.
#include "bench/support/PairedRounds.h"
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

using corvellan::bench::PairedRounds;

// Calls per round of the number printers and of the conversions.
constexpr int Prints = 20000;
constexpr int Conversions = 2000;

template <class Print>
std::int64_t PrintMany(Print print)
{
    std::int64_t length = 0;
    std::uint32_t step = 0;
    for (int call = 0; call < Prints; ++call, step += 7919)
        length += static_cast<std::int64_t>(print(step));
    return length;
}

std::size_t Printed(const char* format, int digits, auto value)
{
    std::array<char, 64> buffer;
    const int length = std::snprintf(buffer.data(), buffer.size(), format, digits, value);
    benchmark::DoNotOptimize(buffer);
    return static_cast<std::size_t>(length);
}

void UIntToStringPair(benchmark::State& state)
{
    const auto digits = static_cast<std::uint32_t>(state.range(0));
    PairedRounds::Run(
        state, [&] { return PrintMany([&](std::uint32_t step) { return UIntToString(12345 + step, digits).size(); }); },
        [&] {
            return PrintMany(
                [&](std::uint32_t step) { return Printed("%.*u", static_cast<int>(digits), 12345 + step); });
        });
}

void IntToStringWPair(benchmark::State& state)
{
    const auto digits = static_cast<std::uint32_t>(state.range(0));
    PairedRounds::Run(
        state,
        [&] {
            return PrintMany([&](std::uint32_t step) {
                return IntToStringW(-12345 + static_cast<std::int32_t>(step), digits).size();
            });
        },
        [&] {
            return PrintMany([&](std::uint32_t step) {
                return Printed("%.*i", static_cast<int>(digits), -12345 + static_cast<std::int32_t>(step));
            });
        });
}

void FloatToStringPair(benchmark::State& state)
{
    const auto digits = static_cast<std::uint32_t>(state.range(0));
    const auto value = [](std::uint32_t step) { return 0.95f + static_cast<float>(step % 100000) * 1.25f; };
    PairedRounds::Run(
        state, [&] { return PrintMany([&](std::uint32_t step) { return FloatToString(value(step), digits).size(); }); },
        [&] {
            return PrintMany([&](std::uint32_t step) {
                return Printed("%0.*f", static_cast<int>(digits), static_cast<double>(value(step)));
            });
        });
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

void NarrowToWidePair(benchmark::State& state)
{
    const std::string text = SampleText(static_cast<std::size_t>(state.range(0)));
    const auto& table = FloorTable();
    std::u16string out;
    PairedRounds::Run(
        state,
        [&] {
            std::int64_t units = 0;
            for (int call = 0; call < Conversions; ++call)
            {
                NarrowToWideInto(text, out);
                benchmark::DoNotOptimize(out.data());
                units += static_cast<std::int64_t>(out.size());
            }
            return units;
        },
        [&] {
            std::int64_t units = 0;
            for (int call = 0; call < Conversions; ++call)
            {
                out.clear();
                for (const char c : text)
                    out.push_back(table[static_cast<unsigned char>(c)]);
                benchmark::DoNotOptimize(out.data());
                units += static_cast<std::int64_t>(out.size());
            }
            return units;
        });
}

void WideToNarrowPair(benchmark::State& state)
{
    const std::u16string text = NarrowToWide(SampleText(static_cast<std::size_t>(state.range(0))));
    // A full reverse table, -1 where a unit has no byte.
    std::vector<std::int16_t> reverse(65536, -1);
    const auto& table = FloorTable();
    for (int b = 0; b < 256; ++b)
        reverse[table[static_cast<std::size_t>(b)]] = static_cast<std::int16_t>(b);
    std::string out;
    PairedRounds::Run(
        state,
        [&] {
            std::int64_t bytes = 0;
            for (int call = 0; call < Conversions; ++call)
            {
                WideToNarrowInto(text, out);
                benchmark::DoNotOptimize(out.data());
                bytes += static_cast<std::int64_t>(out.size());
            }
            return bytes;
        },
        [&] {
            std::int64_t bytes = 0;
            for (int call = 0; call < Conversions; ++call)
            {
                out.clear();
                for (const char16_t unit : text)
                {
                    const std::int16_t byte = reverse[unit];
                    if (byte >= 0)
                        out.push_back(static_cast<char>(byte));
                }
                benchmark::DoNotOptimize(out.data());
                bytes += static_cast<std::int64_t>(out.size());
            }
            return bytes;
        });
}

void Register(const char* name, void (*pair)(benchmark::State&), std::int64_t full, std::int64_t smoke)
{
    benchmark::RegisterBenchmark(name, pair)->Arg(full)->Iterations(PairedRounds::FullRounds);
    benchmark::RegisterBenchmark((std::string(name) + "/smoke").c_str(), pair)
        ->Arg(smoke)
        ->Iterations(PairedRounds::SmokeRounds);
}

[[maybe_unused]] const bool registered = [] {
    // Digit counts 0 (plain) and 3, the common zero-padded case; texts of
    // 1 KiB, and 64 bytes for the smoke run.
    Register("Strings/UIntToString_vs_Snprintf", UIntToStringPair, 0, 0);
    benchmark::RegisterBenchmark("Strings/UIntToString_vs_Snprintf", UIntToStringPair)
        ->Arg(3)
        ->Iterations(PairedRounds::FullRounds);
    Register("Strings/IntToStringW_vs_Snprintf", IntToStringWPair, 3, 0);
    Register("Strings/FloatToString_vs_Snprintf", FloatToStringPair, 6, 0);
    Register("Strings/NarrowToWide_vs_TableLoop", NarrowToWidePair, 1024, 64);
    Register("Strings/WideToNarrow_vs_TableLoop", WideToNarrowPair, 1024, 64);
    return true;
}();

} // namespace
