#include "tests/content/dataset/DataSetExpectations.h"

namespace corvellan::test
{

std::vector<std::string> ExpectedGameObjectEntries()
{
    return {};
}

} // namespace corvellan::test
