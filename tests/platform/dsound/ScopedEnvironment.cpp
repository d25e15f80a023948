#include "tests/platform/dsound/ScopedEnvironment.h"

#include <cstdlib>

namespace corvellan::test
{

ScopedEnvironment::ScopedEnvironment(std::string variable, const std::string& value) : name(std::move(variable))
{
    if (const char* old = std::getenv(name.c_str()))
        previous = old;
    setenv(name.c_str(), value.c_str(), 1);
}

ScopedEnvironment::~ScopedEnvironment()
{
    if (previous)
        setenv(name.c_str(), previous->c_str(), 1);
    else
        unsetenv(name.c_str());
}

} // namespace corvellan::test
