// A second build of the data set makes the same bytes as the build beside
// the program, within the time the build may take.
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace
{

using corvellan::test::ReadFileBytes;
using corvellan::test::TempFolder;

TEST(DataSetDeterminismTest, TwoBuildsAreByteIdentical)
{
    TempFolder output("corvellan-dataset");
    const std::string pack = output.Join("pack0.pak");
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system((std::string(CORVELLAN_MKDATA) + " --output '" + pack + "'").c_str());
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(status, 0);
    EXPECT_LT(seconds, 120.0);

    const auto again = ReadFileBytes(pack);
    const auto built = ReadFileBytes(CORVELLAN_DATA_PACK);
    ASSERT_TRUE(again.has_value());
    ASSERT_TRUE(built.has_value());
    EXPECT_EQ(again->size(), built->size());
    EXPECT_TRUE(*again == *built);
}

} // namespace
