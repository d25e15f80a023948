#include "tests/support/FileErrorText.h"

#include "engine/core/Error.h"

namespace corvellan::test
{

std::string FileErrorText(const std::function<void()>& action, const std::string& none)
{
    try
    {
        action();
    }
    catch (const OrvaneEngine::FileError& error)
    {
        return error.GetText();
    }
    return none;
}

} // namespace corvellan::test
