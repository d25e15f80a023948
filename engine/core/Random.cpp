#include "engine/core/Random.h"

#include <linux/membarrier.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace OrvaneEngine
{
namespace
{

// The loading worker may draw while the main thread does, yet nearly always
// one thread draws alone. So the first thread to draw owns the generator and
// steps it with plain loads and stores, saying so in ownerStepping while it
// does. The first draw from any other thread ends the ownership for good: it
// raises shared and has the kernel put a memory barrier on every thread of
// the process, after which the owner either sees shared or is seen stepping
// (and is waited out). From then on every thread steps the state with a
// compare-exchange, so no step is ever lost or taken twice.
std::atomic<std::uint32_t> randomState{0};
std::atomic<const void*> owner{nullptr};
std::atomic<bool> ownerStepping{false};
std::atomic<bool> shared{false};
thread_local const char threadToken = 0;

std::uint32_t Step(std::uint32_t state)
{
    return state * 1103515245u + 12345u;
}

// The owner stops its fast path only at the barrier issued here.
bool CanEndOwnership()
{
    const long commands = ::syscall(__NR_membarrier, MEMBARRIER_CMD_QUERY, 0, 0);
    return commands > 0 && (commands & MEMBARRIER_CMD_PRIVATE_EXPEDITED) != 0 &&
           ::syscall(__NR_membarrier, MEMBARRIER_CMD_REGISTER_PRIVATE_EXPEDITED, 0, 0) == 0;
}

void EndOwnership()
{
    static std::mutex ending;
    std::lock_guard lock(ending);
    if (shared.load(std::memory_order_acquire))
        return;
    shared.store(true, std::memory_order_seq_cst);
    ::syscall(__NR_membarrier, MEMBARRIER_CMD_PRIVATE_EXPEDITED, 0, 0);
    while (ownerStepping.load(std::memory_order_acquire))
        std::this_thread::yield();
}

// Makes this thread the owner when nobody owns the generator yet, or ends the
// other thread's ownership; true when this thread may use the fast path.
bool Claim()
{
    if (shared.load(std::memory_order_acquire))
        return false;
    const void* current = owner.load(std::memory_order_acquire);
    if (current == nullptr)
    {
        // Without the kernel's barrier the owner could never be stopped, so
        // every thread shares the generator from the start.
        static const bool canEnd = CanEndOwnership();
        if (!canEnd)
        {
            shared.store(true, std::memory_order_seq_cst);
            return false;
        }
        if (owner.compare_exchange_strong(current, &threadToken, std::memory_order_acq_rel))
            return true;
    }
    if (current == &threadToken)
        return true;
    EndOwnership();
    return false;
}

int SharedRandom()
{
    Claim();
    std::uint32_t current = randomState.load(std::memory_order_relaxed);
    std::uint32_t next;
    do
    {
        next = Step(current);
    } while (!randomState.compare_exchange_weak(current, next, std::memory_order_relaxed));
    return static_cast<int>((next >> 16) & 0x7FFFu);
}

} // namespace

void SeedRandom(std::uint32_t seed)
{
    // Even the owner stores through the atomic, so either way is safe.
    Claim();
    randomState.store(seed, std::memory_order_seq_cst);
}

int Random()
{
    if (owner.load(std::memory_order_relaxed) == &threadToken)
    {
        ownerStepping.store(true, std::memory_order_relaxed);
        // Only the compiler must keep the order here: the other side's
        // barrier orders the processor.
        std::atomic_signal_fence(std::memory_order_seq_cst);
        if (!shared.load(std::memory_order_relaxed))
        {
            const std::uint32_t next = Step(randomState.load(std::memory_order_relaxed));
            randomState.store(next, std::memory_order_relaxed);
            ownerStepping.store(false, std::memory_order_release);
            return static_cast<int>((next >> 16) & 0x7FFFu);
        }
        ownerStepping.store(false, std::memory_order_release);
    }
    return SharedRandom();
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
