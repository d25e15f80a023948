#pragma once

// The stand-in's side of the test hooks: where its calls ask whether a test
// wants them to fail, and where its objects count themselves.

#include "platform/vfw/testing/VfwHooks.h"

#include <cstdint>

namespace vfw::testing
{

// True when a test armed a failure that falls on this call (taking it).
bool TakeFailure(VfwCall call);
std::uint32_t GetReportedVersion();
bool IsSaveOptionsCancelled();
std::uint64_t GetSizeCap();

void AddLibraryUse(std::int32_t delta);
void CountFile(std::int32_t delta);
void CountStream(std::int32_t delta);

} // namespace vfw::testing
