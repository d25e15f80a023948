// The level load of the puzzle game, against its floors, in paired rounds:
//
// - GameLogicData::LoadAll of a 1024 x 512 photo-like "theme.jpg" cut 10 x 5
//   and 20 x 10, against Image::Load of the same JPEG alone (libjpeg's
//   decode): the ratio is what cutting, packing and building the board
//   textures cost on top of decoding. Both sides count the picture's pixels.
// - GameLogicData::DecodeRle of a cut 1024 x 512 edge map, against memcpy of
//   the same 512 KiB.
// - GameLogicData::PackElements of 50, 100 and 200 piece images (no floor):
//   page textures included; and the placement alone (PackPlacement) on images
//   of one size, whose passes grow with the square of the items on a page.
//
// Headless engine on the offscreen video driver; the load makes no drawing call.
#include "bench/support/PairedRounds.h"
#include "bench/support/StartDevice.h"
#include "content/ImageFixtures.h"
#include "content/PhotoPicture.h"
#include "content/PuzzleCutter.h"
#include "content/PuzzleFileWriter.h"
#include "engine/core/Engine.h"
#include "engine/core/FileManager.h"
#include "engine/render/Image.h"
#include "framework/StageRecord.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogicData.h"
#include "game/PackPlanner.h"
#include "tests/support/EngineFixture.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

using corvellan::bench::PairedRounds;
namespace content = corvellan::content;

// The engine and one puzzle folder cut from the photo.
class Stage
{
public:
    Stage(std::uint32_t width, std::uint32_t height, std::uint32_t columns, std::uint32_t rows)
    {
        OrvaneEngine::Image picture;
        content::MakePhotoPicture(picture, width, height, 7);
        content::PuzzleCutOptions options;
        options.columns = columns;
        options.rows = rows;
        options.blocked = columns * rows / 10;
        options.rampWidth = 1;
        if (!content::PuzzleCutter::WriteFolder(picture, options, engine.folder.Join("data/puzzles/photo"), &record)
                 .empty())
            return;
        if (!corvellan::bench::StartDevice([&] { engine.Start(); }))
            return;
        level.puzzleFolder = "photo";
        ready = true;
    }

    std::unique_ptr<Mirabel::GameLogicData> Data()
    {
        return std::make_unique<Mirabel::GameLogicData>(engine.engine.get(), "en", &stage, &level);
    }

    corvellan::test::EngineFixture engine;
    content::PuzzleFileRecord record;
    GameFramework::StageRecord stage;
    Mirabel::GameLevelRecord level;
    bool ready = false;
};

void LoadAgainstDecode(benchmark::State& state)
{
    Stage stage(static_cast<std::uint32_t>(state.range(0)), static_cast<std::uint32_t>(state.range(1)),
                static_cast<std::uint32_t>(state.range(2)), static_cast<std::uint32_t>(state.range(3)));
    if (!stage.ready)
    {
        state.SkipWithError("no engine or no puzzle folder");
        return;
    }
    OrvaneEngine::Engine& engine = *stage.engine.engine;
    PairedRounds::Run(
        state,
        [&] {
            std::unique_ptr<Mirabel::GameLogicData> data = stage.Data();
            data->Load();
            return static_cast<std::int64_t>(data->boardSize.x * data->boardSize.y);
        },
        [&] {
            OrvaneEngine::Image image;
            if (!image.Load(engine.messageManager.get(), engine.fileManager.get(),
                            "data\\puzzles\\photo\\theme.jpg"))
                return std::int64_t{0};
            benchmark::DoNotOptimize(image.GetPixels());
            return std::int64_t{image.GetWidth()} * image.GetHeight();
        });
    state.counters["pieces"] = static_cast<double>(state.range(2) * state.range(3));
}

void DecodeAgainstCopy(benchmark::State& state)
{
    content::PuzzleCutOptions options;
    options.columns = 20;
    options.rows = 10;
    options.rampWidth = 2;
    content::PuzzleFileRecord record;
    if (!content::PuzzleCutter::Cut(1024, 512, options, record).empty())
    {
        state.SkipWithError("the cutter refused");
        return;
    }
    const std::string coded = content::PuzzleFileWriter::EncodeRle(record.edges.data(), record.edges.size());
    std::vector<std::uint8_t> output(record.edges.size());
    const auto* input = reinterpret_cast<const std::uint8_t*>(coded.data());
    PairedRounds::Run(
        state,
        [&] {
            if (!Mirabel::GameLogicData::DecodeRle(input, static_cast<std::uint32_t>(coded.size()), output.data(),
                                                   static_cast<std::uint32_t>(output.size())))
                return std::int64_t{0};
            benchmark::DoNotOptimize(output.data());
            return static_cast<std::int64_t>(output.size());
        },
        [&] {
            std::memcpy(output.data(), record.edges.data(), record.edges.size());
            benchmark::DoNotOptimize(output.data());
            return static_cast<std::int64_t>(output.size());
        });
    state.counters["coded_bytes"] = static_cast<double>(coded.size());
}

void PackPieces(benchmark::State& state)
{
    const auto columns = static_cast<std::uint32_t>(state.range(0));
    const auto rows = static_cast<std::uint32_t>(state.range(1));
    Stage stage(1024, 512, columns, rows);
    if (!stage.ready)
    {
        state.SkipWithError("no engine or no puzzle folder");
        return;
    }
    std::vector<std::unique_ptr<OrvaneEngine::Image>> images;
    for (const content::PuzzleFilePiece& piece : stage.record.pieces)
    {
        images.push_back(std::make_unique<OrvaneEngine::Image>());
        images.back()->Create(nullptr, static_cast<std::uint32_t>(piece.width),
                              static_cast<std::uint32_t>(piece.height), 32);
        std::memset(images.back()->GetPixels(), 0x40, images.back()->GetWidth() * images.back()->GetHeight() * 4u);
    }
    std::unique_ptr<Mirabel::GameLogicData> data = stage.Data();
    for (auto _ : state)
    {
        std::vector<Mirabel::PackRecord> records;
        for (const auto& image : images)
            records.push_back({"", image.get()});
        std::unique_ptr<Mirabel::TexturePack> pack;
        data->PackElements(records, pack, "bench");
        benchmark::DoNotOptimize(pack.get());
    }
    state.counters["pieces"] = static_cast<double>(columns * rows);
}

// The placement alone, on images of one size that all fit one page: every
// item is placed once per longer leading run and once per candidate size.
void PlacePieces(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    for (auto _ : state)
    {
        std::vector<Mirabel::PackItem> storage(count);
        std::vector<Mirabel::PackItem*> items;
        for (Mirabel::PackItem& item : storage)
        {
            item.width = 44;
            item.height = 44;
            items.push_back(&item);
        }
        std::vector<Mirabel::PackPlanner::Page> pages;
        benchmark::DoNotOptimize(Mirabel::PackPlanner::Plan(items, "bench", pages));
        benchmark::DoNotOptimize(pages.data());
    }
    state.counters["pieces"] = static_cast<double>(count);
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* name;
        std::int64_t width, height, columns, rows, rounds;
    } loads[] = {{"/smoke", 256, 128, 4, 2, PairedRounds::SmokeRounds},
                 {"/10x5", 1024, 512, 10, 5, PairedRounds::FullRounds},
                 {"/20x10", 1024, 512, 20, 10, PairedRounds::FullRounds}};
    for (const auto& load : loads)
    {
        benchmark::RegisterBenchmark((std::string("PuzzleLoad/LoadAll_vs_ImageLoad") + load.name).c_str(),
                                     LoadAgainstDecode)
            ->Args({load.width, load.height, load.columns, load.rows})
            ->Iterations(load.rounds);
    }
    benchmark::RegisterBenchmark("PuzzleLoad/DecodeRle_vs_memcpy", DecodeAgainstCopy)
        ->Iterations(PairedRounds::FullRounds * 10);
    benchmark::RegisterBenchmark("PuzzleLoad/DecodeRle_vs_memcpy/smoke", DecodeAgainstCopy)
        ->Iterations(PairedRounds::SmokeRounds);
    const std::int64_t grids[][2] = {{10, 5}, {10, 10}, {20, 10}};
    for (const auto& grid : grids)
    {
        benchmark::RegisterBenchmark(
            ("PuzzleLoad/PackElements/" + std::to_string(grid[0] * grid[1])).c_str(), PackPieces)
            ->Args({grid[0], grid[1]})
            ->Unit(benchmark::kMillisecond);
    }
    for (const std::int64_t count : {50, 100, 200})
    {
        benchmark::RegisterBenchmark(("PuzzleLoad/PackPlacement/" + std::to_string(count)).c_str(), PlacePieces)
            ->Arg(count)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace
