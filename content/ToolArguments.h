#pragma once

#include <string>

namespace corvellan::content
{

// The command line of a content tool, read one argument at a time.
class ToolArguments
{
public:
    ToolArguments(int argc, char** argv);

    // The next argument; false when none is left.
    bool Next(std::string& argument);
    // The value that follows the option just read; throws
    // std::runtime_error naming the option when none follows.
    std::string Value();

    static bool IsHelp(const std::string& argument) { return argument == "--help" || argument == "-h"; }

private:
    int count;
    char** values;
    int index = 0;
    std::string current;
};

} // namespace corvellan::content
