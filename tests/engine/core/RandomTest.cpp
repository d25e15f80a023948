#include "engine/core/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace
{

using namespace OrvaneEngine;

// The generator written out plainly, as the reference for the shared one.
class ReferenceGenerator
{
public:
    explicit ReferenceGenerator(std::uint32_t seed) : state(seed) {}
    int Next()
    {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }

private:
    std::uint32_t state;
};

TEST(RandomTest, KnownSequences)
{
    SeedRandom(0);
    EXPECT_EQ(Random(), 0);
    EXPECT_EQ(Random(), 21468);
    SeedRandom(1);
    EXPECT_EQ(Random(), 16838);

    SeedRandom(0xDEADBEEF);
    ReferenceGenerator reference(0xDEADBEEF);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(Random(), reference.Next()) << i;
}

TEST(RandomTest, DerivedValuesFollowTheRawSequence)
{
    SeedRandom(77);
    ReferenceGenerator reference(77);
    for (int i = 0; i < 1000; ++i)
    {
        const int raw = reference.Next();
        switch (i % 6)
        {
        case 0:
            ASSERT_EQ(RandomFloat(), static_cast<float>(raw / 32768.0)) << i;
            break;
        case 1:
            ASSERT_EQ(RandomInt(10, 19), 10 + raw % 10) << i;
            break;
        case 2:
            ASSERT_EQ(RandomIndex(7), static_cast<std::uint32_t>(raw % 7)) << i;
            break;
        case 3:
            ASSERT_EQ(RandomSigned(), static_cast<float>(raw / 32768.0) * 2.0f - 1.0f) << i;
            break;
        case 4:
            ASSERT_EQ(RandomFloatRange(2.0f, 4.0f), static_cast<float>(raw / 32768.0) * 2.0f + 2.0f) << i;
            break;
        default:
            ASSERT_EQ(RandomSpread(5.0f, 0.5f), (static_cast<float>(raw / 32768.0) * 2.0f - 1.0f) * 0.5f + 5.0f)
                << i;
            break;
        }
    }
    // Each call above took exactly one step.
    EXPECT_EQ(Random(), reference.Next());
}

TEST(RandomTest, RangesHold)
{
    SeedRandom(12345);
    std::set<int> seen;
    float largest = 0.0f;
    for (int i = 0; i < 100000; ++i)
    {
        const float f = RandomFloat();
        ASSERT_GE(f, 0.0f);
        ASSERT_LT(f, 1.0f);
        largest = std::max(largest, f);
        if (i < 10000)
        {
            const int value = RandomInt(-3, 3);
            ASSERT_GE(value, -3);
            ASSERT_LE(value, 3);
            seen.insert(value);
            ASSERT_EQ(RandomInt(5, 5), 5);
            ASSERT_EQ(RandomIndex(1), 0u);
            ASSERT_EQ(RandomSpread(10.0f, 0.0f), 10.0f);
        }
    }
    EXPECT_EQ(seen.size(), 7u);
    EXPECT_LE(largest, 32767.0f / 32768.0f);
}

TEST(RandomTest, BadRangesGiveTheLowEndAndStillStep)
{
    struct Case
    {
        std::string name;
        int (*draw)();
        int expected;   // INT_MIN marks "INT_MIN + the raw value"
    };
    const std::vector<Case> cases = {
        {"RandomIndex(0)", [] { return static_cast<int>(RandomIndex(0)); }, 0},
        {"RandomInt(5, 4)", [] { return RandomInt(5, 4); }, 5},
        {"RandomInt(5, 1)", [] { return RandomInt(5, 1); }, 5},
        {"RandomInt(INT_MIN, INT_MAX)", [] { return RandomInt(INT_MIN, INT_MAX); }, INT_MIN},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        SeedRandom(99);
        ReferenceGenerator reference(99);
        const int raw = reference.Next();
        EXPECT_EQ(c.draw(), c.expected == INT_MIN ? INT_MIN + raw : c.expected);
        EXPECT_EQ(Random(), reference.Next());
    }
    // The full range with an offset that does not start at INT_MIN wraps back into range.
    SeedRandom(1);
    EXPECT_EQ(RandomInt(INT_MIN + 1, INT_MAX), INT_MIN + 1 + 16838);
}

TEST(RandomTest, NoStepIsLostAcrossThreads)
{
    constexpr int kThreads = 4;
    constexpr int kDraws = 100000;
    SeedRandom(42);
    ReferenceGenerator reference(42);
    for (int i = 0; i < kThreads * kDraws; ++i)
        reference.Next();

    std::vector<std::thread> threads;
    std::vector<int> outOfRange(kThreads, 0);
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back([t, &outOfRange] {
            for (int i = 0; i < kDraws; ++i)
            {
                const int value = Random();
                if (value < 0 || value > 32767)
                    ++outOfRange[t];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(outOfRange[t], 0) << "thread " << t;
    EXPECT_EQ(Random(), reference.Next());
}

// The first thread to draw steps the generator on its own until a second one
// draws; however the threads interleave with the hand-over, every value of
// the sequence is drawn exactly once, by someone.
TEST(RandomTest, EveryValueIsDrawnOnceWhileOthersJoinTheFirstDrawer)
{
    constexpr int kJoining = 3;
    constexpr int kDraws = 20000;
    SeedRandom(7);
    ReferenceGenerator reference(7);
    std::vector<int> expected;
    for (int i = 0; i < (kJoining + 1) * kDraws; ++i)
        expected.push_back(reference.Next());

    std::vector<std::vector<int>> drawn(kJoining + 1);
    std::vector<std::thread> threads;
    // The main thread owns the generator already and goes on drawing while
    // the others start.
    for (int t = 0; t < kJoining; ++t)
    {
        threads.emplace_back([t, &drawn] {
            for (int i = 0; i < kDraws; ++i)
                drawn[static_cast<std::size_t>(t) + 1].push_back(Random());
        });
    }
    for (int i = 0; i < kDraws; ++i)
        drawn[0].push_back(Random());
    for (std::thread& thread : threads)
        thread.join();

    std::vector<int> all;
    for (const auto& values : drawn)
        all.insert(all.end(), values.begin(), values.end());
    std::sort(all.begin(), all.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(all, expected);
    EXPECT_EQ(Random(), reference.Next());
}

} // namespace
