#include "platform/win32/TickCount.h"
#include "platform/win32/testing/TickCountHooks.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace
{

class TickCountTest : public ::testing::Test
{
protected:
    void TearDown() override { win32::testing::ResetTickCount(); }
};

TEST_F(TickCountTest, FixedValueHoldsUntilReset)
{
    for (std::uint32_t value : {0u, 1234u, 0xFFFFFFFFu})
    {
        win32::testing::SetFixedTickCount(value);
        EXPECT_EQ(win32::GetTickCount(), value);
        EXPECT_EQ(win32::GetTickCount(), value);
    }
    win32::testing::ResetTickCount();
    EXPECT_FALSE(win32::testing::GetFixedTickCount().has_value());
}

TEST_F(TickCountTest, RealClockCountsMilliseconds)
{
    const std::uint32_t before = win32::GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    // Unsigned difference, so a wrap between the two readings does not matter.
    const std::uint32_t elapsed = win32::GetTickCount() - before;
    EXPECT_GE(elapsed, 29u);
    EXPECT_LT(elapsed, 5000u);
}

} // namespace
