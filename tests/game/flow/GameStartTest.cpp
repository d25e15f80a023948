// The real game from its start to the first menu and back to nothing.
#include "tests/game/flow/FlowGame.h"

#include <gtest/gtest.h>

namespace
{

using corvellan::test::FlowRun;

TEST(GameStartTest, RunsFromTheLogosToTheFirstMenu)
{
    FlowRun run;
    run.Start();
    EXPECT_TRUE(run.RunToMenus()) << run.folders.LogText();
}

} // namespace
