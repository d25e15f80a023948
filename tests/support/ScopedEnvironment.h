#pragma once

#include <optional>
#include <string>

namespace corvellan::test
{

// Sets an environment variable (or, given no value, removes it) for the life
// of the object, then puts the old value or its absence back.
class ScopedEnvironment
{
public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name;
    std::optional<std::string> previous;
};

} // namespace corvellan::test
