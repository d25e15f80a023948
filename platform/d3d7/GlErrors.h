#pragma once

#include "platform/d3d7/Types.h"

namespace d3d7::detail
{

// Drains GL's error flags and turns the first into a result: out of memory,
// invalid parameters, or a generic failure. DD_OK when there was none.
HRESULT TakeGlError();

} // namespace d3d7::detail
