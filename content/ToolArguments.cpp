#include "content/ToolArguments.h"

#include <stdexcept>

namespace corvellan::content
{

ToolArguments::ToolArguments(int argc, char** argv) : count(argc), values(argv) {}

bool ToolArguments::Next(std::string& argument)
{
    if (index + 1 >= count)
        return false;
    current = values[++index];
    argument = current;
    return true;
}

std::string ToolArguments::Value()
{
    if (index + 1 >= count)
        throw std::runtime_error(current + " needs a value");
    return values[++index];
}

} // namespace corvellan::content
