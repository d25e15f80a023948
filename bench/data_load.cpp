// Reading the built data set, each path against its floor in paired rounds:
// - every entry of the real pack0.pak through FileManager::Open + Read,
//   against fseek + fread of the same entries from the same pack kept open;
// - one language's start-up reads (the fonts list and its 11 fonts through
//   GUIFontManager on the device-free services, the 30 text files through
//   GUITextManager::LoadTexts), against reading the same entries' bytes
//   through FileManager::Open;
// - GameData::LoadAll from the real pack on a headless engine, the data made
//   and deleted per round, against reading every entry's bytes through the
//   same engine's FileManager::Open. Both tally the pack's entries; the
//   load counts them only when it ends without an error or a warning, so a
//   box or the default system standing in for a file fails the run.
#include "bench/support/PairedRounds.h"
#include "bench/support/StartDevice.h"
#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/PackFile.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUITextManager.h"
#include "framework/GameBase.h"
#include "game/GameData.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ModelServices.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace
{

using corvellan::bench::PairedRounds;
using corvellan::test::ModelServices;
using corvellan::test::TempFolder;

constexpr const char* Language = "en";

std::uint32_t ReadU32(const unsigned char* bytes)
{
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

// The services over a root that holds nothing but the built pack.
struct PackedServices : ModelServices
{
    PackedServices()
        : ModelServices([](const TempFolder& root) {
              std::filesystem::create_directories(root.Join("data"));
              std::filesystem::copy_file(CORVELLAN_DATA_PACK, root.Join("data/pack0.pak"));
          })
    {
    }
};

std::vector<std::string> PackNames(const std::string& folder)
{
    OrvaneEngine::PackFile pack(nullptr, CORVELLAN_DATA_PACK);
    std::vector<std::string> names;
    pack.FindFiles(folder, "*", names);
    std::sort(names.begin(), names.end());
    return names;
}

std::int64_t OpenAndReadAll(OrvaneEngine::FileManager& files, const std::vector<std::string>& names,
                            std::vector<char>& buffer)
{
    std::int64_t bytes = 0;
    for (const std::string& name : names)
    {
        auto file = files.Open(name, false);
        if (buffer.size() < file->GetSize())
            buffer.resize(file->GetSize());
        file->Read(buffer.data(), file->GetSize());
        benchmark::DoNotOptimize(buffer.data());
        bytes += file->GetSize();
    }
    return bytes;
}

void PackEntries(benchmark::State& state)
{
    PackedServices services;
    const std::vector<std::string> names = PackNames("data");
    std::ifstream in(CORVELLAN_DATA_PACK, std::ios::binary);
    const std::vector<unsigned char> directory((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::uint32_t count = ReadU32(directory.data() + 13);
    std::size_t at = 17;
    for (std::uint32_t index = 0; index < count; ++index)
        at += 1 + directory[at];
    std::vector<std::pair<std::uint32_t, std::uint32_t>> records;
    for (std::uint32_t index = 0; index < count; ++index, at += 8)
        records.emplace_back(ReadU32(directory.data() + at), ReadU32(directory.data() + at + 4));
    state.counters["pack_bytes"] = static_cast<double>(directory.size());

    std::FILE* pack = std::fopen(CORVELLAN_DATA_PACK, "rb");
    std::vector<char> buffer;
    std::vector<char> floorBuffer(directory.size());
    PairedRounds::Run(
        state, [&] { return OpenAndReadAll(services.files, names, buffer); },
        [&] {
            std::int64_t bytes = 0;
            for (const auto& [offset, size] : records)
            {
                std::fseek(pack, offset, SEEK_SET);
                bytes += static_cast<std::int64_t>(std::fread(floorBuffer.data(), 1, size, pack));
                benchmark::DoNotOptimize(floorBuffer.data());
            }
            return bytes;
        });
    std::fclose(pack);
}

void LanguageStartUp(benchmark::State& state)
{
    PackedServices services;
    const std::string code = Language;
    std::vector<std::string> texts = PackNames("data\\ui\\texts\\" + code);
    std::vector<std::string> entries = PackNames("data\\ui\\fonts");
    // Other languages' lists are not read.
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&](const std::string& name) {
                                     return name.size() > 4 && name.compare(name.size() - 4, 4, ".ini") == 0 &&
                                            name != "data\\ui\\fonts\\" + code + ".ini";
                                 }),
                  entries.end());
    entries.insert(entries.end(), texts.begin(), texts.end());
    std::vector<char> buffer;
    PairedRounds::Run(
        state,
        [&] {
            OrvaneEngine::GUIFontManager fonts(&services.log, &services.files, &services.shaders, &services.models,
                                               services.cameras.defaultCamera);
            std::uint32_t fontCount = 0;
            std::uint32_t consoleFont = 0;
            GameFramework::GameBase::LoadFontsList(services.files, fonts, code, fontCount, consoleFont);
            OrvaneEngine::GUITextManager textManager(&services.log, &services.files);
            for (const std::string& name : texts)
                textManager.LoadTexts(name.substr(5));  // without "data\"
            const bool whole = fonts.GetFonts().size() == 11 && !textManager.GetTexts().empty();
            return whole ? static_cast<std::int64_t>(entries.size()) : std::int64_t{0};
        },
        [&] {
            OpenAndReadAll(services.files, entries, buffer);
            return static_cast<std::int64_t>(entries.size());
        });
}

// Warnings and errors logged since the last call.
std::int32_t Complaints(OrvaneEngine::MessageManager& log)
{
    std::int32_t count = 0;
    for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
        count += log.GetMessage(static_cast<std::uint32_t>(i)).level >= 1 ? 1 : 0;
    log.ClearMessages();
    return count;
}

void GameDataLoad(benchmark::State& state)
{
    corvellan::test::EngineFixture fixture;
    std::filesystem::create_directories(fixture.folder.Join("data"));
    std::filesystem::copy_file(CORVELLAN_DATA_PACK, fixture.folder.Join("data/pack0.pak"));
    fixture.settings.packFolder = "Data";
    if (!corvellan::bench::StartDevice([&] { fixture.Start(); }))
    {
        state.SkipWithError("no engine");
        return;
    }
    OrvaneEngine::Engine& engine = *fixture.engine;
    const std::vector<std::string> names = PackNames("data");
    const auto entries = static_cast<std::int64_t>(names.size());
    state.counters["pack_bytes"] = static_cast<double>(std::filesystem::file_size(CORVELLAN_DATA_PACK));
    Complaints(*engine.messageManager);
    std::vector<char> buffer;
    PairedRounds::Run(
        state,
        [&] {
            try
            {
                Mirabel::GameData data(&engine, Language);
                data.Load();
            }
            catch (const OrvaneEngine::Error&)
            {
                return std::int64_t{-1};
            }
            return Complaints(*engine.messageManager) == 0 ? entries : std::int64_t{-1};
        },
        [&] {
            OpenAndReadAll(*engine.fileManager, names, buffer);
            return entries;
        });
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* name;
        void (*function)(benchmark::State&);
    } paths[] = {
        {"DataLoad/PackEntriesOpenRead_vs_FreadFromOpenPack", PackEntries},
        {"DataLoad/LanguageFontsAndTexts_vs_OpenReadTheirEntries", LanguageStartUp},
        {"DataLoad/GameDataLoadAll_vs_OpenReadEveryEntry", GameDataLoad},
    };
    for (const auto& path : paths)
    {
        benchmark::RegisterBenchmark(path.name, path.function)->Iterations(PairedRounds::FullRounds);
        benchmark::RegisterBenchmark((std::string(path.name) + "/smoke").c_str(), path.function)
            ->Iterations(PairedRounds::SmokeRounds);
    }
    return true;
}();

} // namespace
