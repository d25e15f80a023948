#pragma once

#include <functional>

namespace win32::testing
{

// Called on the program's thread each time PeekMessageA finds the message
// queue empty, so that a test can push events between the frames of a loop
// it does not own. Calls made from inside the hook do not call it again.
void SetPumpHook(std::function<void()> hook);
// No hook from now on.
void ResetPumpHook();

} // namespace win32::testing
