#include "tests/content/dataset/DataSetExpectations.h"

namespace corvellan::test
{

std::vector<std::string> ExpectedBackgroundEntries()
{
    return {};
}

} // namespace corvellan::test
