#include "tests/content/dataset/DataSetExpectations.h"

namespace corvellan::test
{

std::vector<std::string> ExpectedMenuModelEntries()
{
    return {};
}

} // namespace corvellan::test
