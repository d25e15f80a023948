#include "engine/core/Random.h"

#include <atomic>

namespace OrvaneEngine
{
namespace
{

// The loading worker draws while the main thread does: an atomic step keeps
// every call's value its own and never loses a step.
std::atomic<std::uint32_t> randomState{0};

} // namespace

void SeedRandom(std::uint32_t seed)
{
    randomState.store(seed, std::memory_order_relaxed);
}

int Random()
{
    std::uint32_t current = randomState.load(std::memory_order_relaxed);
    std::uint32_t next;
    do
    {
        next = current * 1103515245u + 12345u;
    } while (!randomState.compare_exchange_weak(current, next, std::memory_order_relaxed));
    return static_cast<int>((next >> 16) & 0x7FFFu);
}

int RandomInt(int a, int b)
{
    const auto raw = static_cast<std::uint32_t>(Random());
    if (b < a)
        return a;
    // Unsigned arithmetic wraps back into the signed range; the full int range
    // wraps the span to 0, which stands for 2^32.
    const std::uint32_t span = static_cast<std::uint32_t>(b) - static_cast<std::uint32_t>(a) + 1u;
    const std::uint32_t offset = span == 0 ? raw : raw % span;
    return static_cast<int>(static_cast<std::uint32_t>(a) + offset);
}

std::uint32_t RandomIndex(std::uint32_t n)
{
    const auto raw = static_cast<std::uint32_t>(Random());
    if (n == 0)
        return 0;
    return raw % n;
}

float RandomFloat()
{
    return static_cast<float>(Random() / 32768.0);
}

float RandomFloatRange(float a, float b)
{
    return RandomFloat() * (b - a) + a;
}

float RandomSigned()
{
    return RandomFloat() * 2.0f - 1.0f;
}

float RandomSpread(float centre, float spread)
{
    return RandomSigned() * spread + centre;
}

} // namespace OrvaneEngine
