#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace win32::testing
{

struct MessageBoxCall
{
    std::string text;
    std::string caption;
    std::uint32_t type = 0;

    bool operator==(const MessageBoxCall&) const = default;
};

// Every MessageBoxA call since the last reset, in call order. In a program
// that links the hooks no box is ever shown: a test must not wait on one.
std::vector<MessageBoxCall> GetMessageBoxCalls();

void ResetMessageBoxes();

} // namespace win32::testing
