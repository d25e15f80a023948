#include "tests/content/dataset/DataSetExpectations.h"

namespace corvellan::test
{

std::vector<std::string> ExpectedScreenModelEntries()
{
    return {};
}

} // namespace corvellan::test
