// The engine's matrix product and inverse against the straightforward
// references (a triple-loop product, a Gauss-Jordan inverse with partial
// pivoting); one frame's culling work over many bounding volumes; and the
// shared random generator against a plain, unshared step (the cost of its
// safety across threads). Products, inverses and draws are paired with their
// floors round by round.
#include "bench/support/PairedRounds.h"
#include "engine/core/BoundingVolume.h"
#include "engine/core/Frustum.h"
#include "engine/core/Matrix4.h"
#include "engine/core/Random.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace
{

using namespace OrvaneEngine;
using corvellan::bench::PairedRounds;

// Well-conditioned affine matrices, different enough that nothing folds away.
std::vector<Matrix4> MakeMatrices(std::int64_t count)
{
    std::vector<Matrix4> matrices(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i)
    {
        const float f = static_cast<float>(i);
        Matrix4 rotation;
        Matrix4::RotationAxis(rotation, Vector3(1.0f, 0.5f + 0.01f * f, -0.3f), 0.1f * f);
        Matrix4 translation;
        Matrix4::Translation(translation, Vector3(f, -f, 0.5f * f));
        matrices[static_cast<std::size_t>(i)] =
            translation.Multiply(rotation).Multiply(Matrix4::MakeScaling(Vector3(1.5f, 0.75f, 1.25f)));
    }
    return matrices;
}

Matrix4 TripleLoopProduct(const Matrix4& a, const Matrix4& b)
{
    Matrix4 r;
    for (int row = 0; row < 4; ++row)
    {
        for (int col = 0; col < 4; ++col)
        {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a.m[4 * row + k] * b.m[4 * k + col];
            r.m[4 * row + col] = sum;
        }
    }
    return r;
}

Matrix4 GaussJordanInverse(const Matrix4& input)
{
    float a[4][8];
    for (int r = 0; r < 4; ++r)
    {
        for (int c = 0; c < 4; ++c)
        {
            a[r][c] = input.m[4 * r + c];
            a[r][c + 4] = r == c ? 1.0f : 0.0f;
        }
    }
    for (int col = 0; col < 4; ++col)
    {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
        {
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        }
        if (pivot != col)
        {
            for (int c = 0; c < 8; ++c)
                std::swap(a[pivot][c], a[col][c]);
        }
        const float scale = 1.0f / a[col][col];
        for (int c = 0; c < 8; ++c)
            a[col][c] *= scale;
        for (int r = 0; r < 4; ++r)
        {
            if (r == col)
                continue;
            const float factor = a[r][col];
            for (int c = 0; c < 8; ++c)
                a[r][c] -= factor * a[col][c];
        }
    }
    Matrix4 result;
    for (int r = 0; r < 4; ++r)
    {
        for (int c = 0; c < 4; ++c)
            result.m[4 * r + c] = a[r][c + 4];
    }
    return result;
}

// Unit boxes spread through and around a clip volume, as a frame's models are.
std::vector<BoundingVolume> MakeVolumes(std::int64_t count)
{
    std::vector<BoundingVolume> volumes;
    volumes.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i)
    {
        const float f = static_cast<float>(i);
        const Vector3 offset(std::sin(f) * 3.0f, std::cos(f * 0.7f) * 3.0f, std::sin(f * 0.3f) * 3.0f);
        volumes.emplace_back(offset - Vector3(0.1f, 0.1f, 0.1f), offset + Vector3(0.1f, 0.1f, 0.1f));
    }
    return volumes;
}

void SetMatrix(benchmark::State& state)
{
    std::vector<BoundingVolume> volumes = MakeVolumes(state.range(0));
    const std::vector<Matrix4> matrices = MakeMatrices(64);
    for (auto _ : state)
    {
        for (std::size_t i = 0; i < volumes.size(); ++i)
            volumes[i].SetMatrix(matrices[i % matrices.size()]);
        benchmark::DoNotOptimize(volumes.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void FrustumContains(benchmark::State& state)
{
    const std::vector<BoundingVolume> volumes = MakeVolumes(state.range(0));
    Matrix4 identity;
    Matrix4::Identity(identity);
    Frustum frustum;
    frustum.Update(identity, identity);
    for (auto _ : state)
    {
        int visible = 0;
        for (const BoundingVolume& volume : volumes)
            visible += frustum.Contains(volume) ? 1 : 0;
        benchmark::DoNotOptimize(visible);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Paired rounds: each round repeats the work this many times on each side.
constexpr int Repeats = 100;

template <class Work>
std::int64_t Repeated(Work work)
{
    std::int64_t done = 0;
    for (int repeat = 0; repeat < Repeats; ++repeat)
        done += work();
    return done;
}

void MultiplyPair(benchmark::State& state)
{
    const std::vector<Matrix4> matrices = MakeMatrices(state.range(0));
    const auto products = [&](auto product) {
        return Repeated([&] {
            for (std::size_t i = 1; i < matrices.size(); ++i)
            {
                Matrix4 result = product(matrices[i - 1], matrices[i]);
                benchmark::DoNotOptimize(result);
            }
            return static_cast<std::int64_t>(matrices.size() - 1);
        });
    };
    PairedRounds::Run(
        state, [&] { return products([](const Matrix4& a, const Matrix4& b) { return a.Multiply(b); }); },
        [&] { return products(TripleLoopProduct); });
}

void InvertPair(benchmark::State& state)
{
    const std::vector<Matrix4> matrices = MakeMatrices(state.range(0));
    const auto inverses = [&](auto invert) {
        return Repeated([&] {
            for (const Matrix4& matrix : matrices)
            {
                Matrix4 inverse = invert(matrix);
                benchmark::DoNotOptimize(inverse);
            }
            return static_cast<std::int64_t>(matrices.size());
        });
    };
    PairedRounds::Run(
        state,
        [&] {
            return inverses([](const Matrix4& matrix) {
                Matrix4 inverse = matrix;
                inverse.Invert();
                return inverse;
            });
        },
        [&] { return inverses(GaussJordanInverse); });
}

void RandomPair(benchmark::State& state)
{
    SeedRandom(1);
    std::uint32_t generator = 1;
    const std::int64_t draws = state.range(0);
    PairedRounds::Run(
        state,
        [&] {
            return Repeated([&] {
                for (std::int64_t i = 0; i < draws; ++i)
                    benchmark::DoNotOptimize(Random());
                return draws;
            });
        },
        [&] {
            return Repeated([&] {
                for (std::int64_t i = 0; i < draws; ++i)
                {
                    generator = generator * 1103515245u + 12345u;
                    benchmark::DoNotOptimize(static_cast<int>((generator >> 16) & 0x7FFF));
                }
                return draws;
            });
        });
}

void Register()
{
    struct Size
    {
        const char* suffix;
        std::int64_t matrices;
        std::int64_t volumes;
    };
    for (const Size size : {Size{"/smoke", 16, 100}, Size{"", 1024, 10000}})
    {
        const std::string suffix = size.suffix;
        const std::int64_t rounds = suffix.empty() ? PairedRounds::FullRounds : PairedRounds::SmokeRounds;
        benchmark::RegisterBenchmark(("Math/Multiply_vs_TripleLoop" + suffix).c_str(), MultiplyPair)
            ->Arg(size.matrices)
            ->Iterations(rounds);
        benchmark::RegisterBenchmark(("Math/Invert_vs_GaussJordan" + suffix).c_str(), InvertPair)
            ->Arg(size.matrices)
            ->Iterations(rounds);
        benchmark::RegisterBenchmark(("Math/SharedRandom_vs_PlainStep" + suffix).c_str(), RandomPair)
            ->Arg(size.matrices)
            ->Iterations(rounds);
        benchmark::RegisterBenchmark(("Math/BoundingVolumeSetMatrix" + suffix).c_str(), SetMatrix)
            ->Arg(size.volumes);
        benchmark::RegisterBenchmark(("Math/FrustumContains" + suffix).c_str(), FrustumContains)
            ->Arg(size.volumes);
    }
}

const int registered = (Register(), 0);

} // namespace
