#pragma once

#include <functional>
#include <string>

namespace corvellan::test
{

// The text of the FileError the action throws, or `none` when it throws none.
std::string FileErrorText(const std::function<void()>& action, const std::string& none = "<none>");

} // namespace corvellan::test
