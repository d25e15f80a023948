// Word and line reading over 1 MiB of words held in memory (as every text
// file of the program is), each encoding the reader knows against the
// standard library on the same words, in paired rounds:
// - FileTextual::GetString against std::istringstream >> std::string;
// - FileTextual::ReadString in line mode against std::getline, and (counting
//   the words of each line) against the word floor above.
// Both sides count what they read; the rounds stop when the counts differ.
#include "bench/support/PairedRounds.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileTextual.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

namespace
{

using corvellan::bench::PairedRounds;
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

// The same ASCII text as a file of the encoding, with its byte-order mark.
std::string Encoded(const std::string& text, std::uint32_t encoding)
{
    std::string bytes;
    switch (encoding)
    {
    case FileTextual::EncodingUtf16BigEndian:
        bytes = "\xFE\xFF";
        for (const char c : text)
            bytes += std::string{'\0', c};
        return bytes;
    case FileTextual::EncodingUtf16LittleEndian:
        bytes = "\xFF\xFE";
        for (const char c : text)
            bytes += std::string{c, '\0'};
        return bytes;
    case FileTextual::EncodingUtf8:
        return "\xEF\xBB\xBF" + text;
    default:
        return text;
    }
}

std::unique_ptr<FileTextual> Reader(const std::string& bytes)
{
    auto file = std::make_unique<FileBinary>("words", false, false, true, static_cast<std::uint32_t>(bytes.size()),
                                             bytes.data());
    return std::make_unique<FileTextual>(std::move(file), false, FileTextual::EncodingAnsi);
}

std::int64_t CountWords(const std::string& text)
{
    std::int64_t words = 0;
    bool inWord = false;
    for (const char c : text)
    {
        const bool blank = c == ' ' || (c >= '\t' && c <= '\r');
        words += !blank && !inWord ? 1 : 0;
        inWord = !blank;
    }
    return words;
}

std::int64_t StreamWords(const std::string& text)
{
    std::istringstream stream(text);
    std::string word;
    std::int64_t words = 0;
    while (stream >> word)
    {
        benchmark::DoNotOptimize(word.data());
        ++words;
    }
    return words;
}

void Words(benchmark::State& state, std::uint32_t encoding)
{
    const std::string text = WordList(state.range(0));
    const std::string bytes = Encoded(text, encoding);
    PairedRounds::Run(
        state,
        [&] {
            auto reader = Reader(bytes);
            std::string word;
            std::int64_t words = 0;
            while (reader->GetString(word, false))
            {
                benchmark::DoNotOptimize(word.data());
                ++words;
            }
            return words;
        },
        [&] { return StreamWords(text); });
}

// Lines against the word floor: the reader's side also counts the words on
// each line it reads, so both sides count the same words.
void LinesAgainstWords(benchmark::State& state, std::uint32_t encoding)
{
    const std::string text = WordList(state.range(0));
    const std::string bytes = Encoded(text, encoding);
    PairedRounds::Run(
        state,
        [&] {
            auto reader = Reader(bytes);
            std::string line;
            std::int64_t words = 0;
            while (reader->ReadString(line, false, false))
                words += CountWords(line);
            return words;
        },
        [&] { return StreamWords(text); });
}

void Lines(benchmark::State& state, std::uint32_t encoding)
{
    const std::string text = WordList(state.range(0));
    const std::string bytes = Encoded(text, encoding);
    PairedRounds::Run(
        state,
        [&] {
            auto reader = Reader(bytes);
            std::string line;
            std::int64_t lines = 0;
            while (reader->ReadString(line, false, false))
            {
                benchmark::DoNotOptimize(line.data());
                ++lines;
            }
            return lines;
        },
        [&] {
            // The reader ends a line at CR LF and hands out one more, empty
            // line after the last line end; getline ends lines at LF only and
            // leaves the CR on the line, which is no less work.
            std::istringstream stream(text);
            std::string line;
            std::int64_t lines = 0;
            while (std::getline(stream, line))
            {
                benchmark::DoNotOptimize(line.data());
                ++lines;
            }
            return lines + (text.empty() || text.back() == '\n' ? 1 : 0);
        });
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* name;
        std::uint32_t encoding;
    } encodings[] = {
        {"Ansi", FileTextual::EncodingAnsi},
        {"Utf16BigEndian", FileTextual::EncodingUtf16BigEndian},
        {"Utf16LittleEndian", FileTextual::EncodingUtf16LittleEndian},
        {"Utf8", FileTextual::EncodingUtf8},
    };
    for (const auto& encoding : encodings)
    {
        const std::uint32_t code = encoding.encoding;
        const std::string words = std::string("Text/GetString_vs_IStringStreamWords/") + encoding.name;
        const std::string lines = std::string("Text/ReadLine_vs_GetLine/") + encoding.name;
        const auto wordsOf = [code](benchmark::State& state) { Words(state, code); };
        const auto linesOf = [code](benchmark::State& state) { Lines(state, code); };
        const std::string linesWords = std::string("Text/ReadLine_vs_IStringStreamWords/") + encoding.name;
        const auto linesWordsOf = [code](benchmark::State& state) { LinesAgainstWords(state, code); };
        benchmark::RegisterBenchmark(linesWords.c_str(), linesWordsOf)
            ->Arg(1 << 20)
            ->Iterations(PairedRounds::FullRounds);
        benchmark::RegisterBenchmark((linesWords + "/smoke").c_str(), linesWordsOf)
            ->Arg(4096)
            ->Iterations(PairedRounds::SmokeRounds);
        benchmark::RegisterBenchmark(words.c_str(), wordsOf)->Arg(1 << 20)->Iterations(PairedRounds::FullRounds);
        benchmark::RegisterBenchmark((words + "/smoke").c_str(), wordsOf)
            ->Arg(4096)
            ->Iterations(PairedRounds::SmokeRounds);
        benchmark::RegisterBenchmark(lines.c_str(), linesOf)->Arg(1 << 20)->Iterations(PairedRounds::FullRounds);
        benchmark::RegisterBenchmark((lines + "/smoke").c_str(), linesOf)
            ->Arg(4096)
            ->Iterations(PairedRounds::SmokeRounds);
    }
    return true;
}();

} // namespace
