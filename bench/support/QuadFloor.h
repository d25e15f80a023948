#pragma once
// The floor of the drawing benchmarks: textured unit quads placed on the
// 800 x 600 virtual screen, drawn straight through GL by BareQuads, one
// matrix load and one draw each.

#include "bench/support/PairedRounds.h"
#include "bench/support/ScreenQuads.h"
#include "engine/render/ColoredVertex.h"
#include "platform/d3d7/testing/BareQuads.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace corvellan::bench
{

struct QuadFloor
{
    // `count` quads of w x h laid out row by row, `columns` to a row, at
    // `stepX` and `stepY` apart, wrapping after `rows` rows.
    void Layout(std::int64_t count, std::int64_t columns, std::int64_t rows, float stepX, float stepY, float w,
                float h)
    {
        matrices.clear();
        for (std::int64_t index = 0; index < count; ++index)
            matrices.push_back(ClipMatrix(static_cast<float>(index % columns) * stepX,
                                          static_cast<float>(index / columns % rows) * stepY, w, h));
    }

    std::vector<OrvaneEngine::ColoredVertex> unitQuad = UnitQuad();
    std::vector<std::uint16_t> unitIndices{0, 1, 2, 2, 1, 3};
    // A 4 x 4 grey texture.
    std::vector<std::uint8_t> picture = std::vector<std::uint8_t>(4 * 4 * 4, 200);
    std::vector<std::array<float, 16>> matrices;

    // Pairs a frame of the stage (ready, floor, Frame, Present, Device) with
    // the floor's quads round by round; `what` names the stage when it could
    // not be made.
    template <class Stage> static void Run(benchmark::State& state, Stage& stage, const char* what)
    {
        if (!stage.ready)
        {
            state.SkipWithError(what);
            return;
        }
        QuadFloor& floor = stage.floor;
        d3d7::testing::BareQuads bare(stage.Device().backBuffer, floor.unitQuad.data(), 4, floor.unitIndices.data(),
                                      6, floor.picture.data(), 4, 4);
        if (!bare.IsReady())
        {
            state.SkipWithError("no GL texture");
            return;
        }
        PairedRounds::Run(state, [&] { return stage.Frame(); },
                          [&] {
                              bare.DrawFrame(floor.matrices);
                              stage.Present();
                              return static_cast<std::int64_t>(floor.matrices.size());
                          });
        state.counters["quads"] = static_cast<double>(floor.matrices.size());
    }

    // The full case and its "/smoke" case.
    static bool Register(const std::string& name, void (*function)(benchmark::State&))
    {
        for (const auto& [suffix, rounds] :
             {std::pair{"/smoke", PairedRounds::SmokeRounds}, std::pair{"", PairedRounds::FullRounds}})
            benchmark::RegisterBenchmark((name + suffix).c_str(), function)
                ->Iterations(rounds)
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
        return true;
    }
};

} // namespace corvellan::bench
