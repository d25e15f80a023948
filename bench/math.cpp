// The engine's matrix product and inverse against the straightforward
// references (a triple-loop product, a Gauss-Jordan inverse with partial
// pivoting); one frame's culling work over many bounding volumes; and the
// shared random generator against a plain, unshared step (the cost of the atomic).
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

void Multiply(benchmark::State& state)
{
    const std::vector<Matrix4> matrices = MakeMatrices(state.range(0));
    for (auto _ : state)
    {
        for (std::size_t i = 1; i < matrices.size(); ++i)
        {
            Matrix4 product = matrices[i - 1].Multiply(matrices[i]);
            benchmark::DoNotOptimize(product);
        }
    }
    state.SetItemsProcessed(state.iterations() * (state.range(0) - 1));
}

void TripleLoop(benchmark::State& state)
{
    const std::vector<Matrix4> matrices = MakeMatrices(state.range(0));
    for (auto _ : state)
    {
        for (std::size_t i = 1; i < matrices.size(); ++i)
        {
            Matrix4 product = TripleLoopProduct(matrices[i - 1], matrices[i]);
            benchmark::DoNotOptimize(product);
        }
    }
    state.SetItemsProcessed(state.iterations() * (state.range(0) - 1));
}

void Invert(benchmark::State& state)
{
    const std::vector<Matrix4> matrices = MakeMatrices(state.range(0));
    for (auto _ : state)
    {
        for (const Matrix4& matrix : matrices)
        {
            Matrix4 inverse = matrix;
            inverse.Invert();
            benchmark::DoNotOptimize(inverse);
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void GaussJordan(benchmark::State& state)
{
    const std::vector<Matrix4> matrices = MakeMatrices(state.range(0));
    for (auto _ : state)
    {
        for (const Matrix4& matrix : matrices)
        {
            Matrix4 inverse = GaussJordanInverse(matrix);
            benchmark::DoNotOptimize(inverse);
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
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

void SharedRandom(benchmark::State& state)
{
    SeedRandom(1);
    for (auto _ : state)
    {
        for (std::int64_t i = 0; i < state.range(0); ++i)
            benchmark::DoNotOptimize(Random());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void PlainStep(benchmark::State& state)
{
    std::uint32_t generator = 1;
    for (auto _ : state)
    {
        for (std::int64_t i = 0; i < state.range(0); ++i)
        {
            generator = generator * 1103515245u + 12345u;
            benchmark::DoNotOptimize(static_cast<int>((generator >> 16) & 0x7FFF));
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
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
        benchmark::RegisterBenchmark(("Math/Multiply" + suffix).c_str(), Multiply)->Arg(size.matrices);
        benchmark::RegisterBenchmark(("Math/TripleLoopProduct" + suffix).c_str(), TripleLoop)->Arg(size.matrices);
        benchmark::RegisterBenchmark(("Math/Invert" + suffix).c_str(), Invert)->Arg(size.matrices);
        benchmark::RegisterBenchmark(("Math/GaussJordanInverse" + suffix).c_str(), GaussJordan)->Arg(size.matrices);
        benchmark::RegisterBenchmark(("Math/BoundingVolumeSetMatrix" + suffix).c_str(), SetMatrix)
            ->Arg(size.volumes);
        benchmark::RegisterBenchmark(("Math/FrustumContains" + suffix).c_str(), FrustumContains)
            ->Arg(size.volumes);
        benchmark::RegisterBenchmark(("Math/Random" + suffix).c_str(), SharedRandom)->Arg(size.matrices);
        benchmark::RegisterBenchmark(("Math/PlainRandomStep" + suffix).c_str(), PlainStep)->Arg(size.matrices);
    }
}

const int registered = (Register(), 0);

} // namespace
