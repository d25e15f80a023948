#pragma once

#include "engine/core/Error.h"

#include <iostream>

namespace corvellan::bench
{

// Runs the steps that open the window and the drawing device. Without a
// video device the engine refuses with an Error (a fatal one from the
// window); a benchmark then has no device and skips with an error of its
// own instead of ending the whole program. The reason goes to the error
// stream. False when the steps threw.
template <typename Steps>
bool StartDevice(Steps steps)
{
    try
    {
        steps();
        return true;
    }
    catch (const OrvaneEngine::Error& error)
    {
        std::cerr << "No drawing device: " << error.GetText() << "\n";
        return false;
    }
}

} // namespace corvellan::bench
