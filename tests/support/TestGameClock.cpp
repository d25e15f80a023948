#include "tests/support/TestGameClock.h"

#include "platform/win32/testing/MultimediaTimerHooks.h"

namespace corvellan::test
{

TestGameClock::TestGameClock()
{
    win32::testing::SetFakeMilliseconds(1000);
}

TestGameClock::~TestGameClock()
{
    win32::testing::ResetMultimediaTimer();
}

} // namespace corvellan::test
