#pragma once

// Test hooks of the movie writer: provoked failures, an old library, a
// cancelled compressor choice, a lower size cap, and counts of what is
// alive. Tests only.

#include "platform/vfw/AviFile.h"
#include "platform/vfw/HookTable.h"

#include <cstdint>

namespace vfw::testing
{

// The calls a test can make fail.
using VfwCall = detail::VfwCall;

// The nth call of that kind from now on (1: the next one) fails and does
// nothing else.
void FailCall(VfwCall call, std::uint32_t nth = 1);

// What VideoForWindowsVersion answers: major in the high byte of the high
// word, minor in its low byte (0x010A0000 is 1.10, the default).
void SetReportedVersion(std::uint32_t version);

// While on, AVISaveOptions answers as if the user cancelled the choice.
void SetSaveOptionsCancelled(bool cancelled);

// Lowers the writer's size cap (kMovieSizeCap) to bytes; never raises it.
void SetSizeCap(std::uint64_t bytes);

// AVIFileInit calls not yet matched by AVIFileExit.
std::int32_t GetLibraryUseCount();
// Movie files and streams not yet released.
std::int32_t GetLiveFileCount();
std::int32_t GetLiveStreamCount();

// Failures, version, cancelling and cap back to their defaults; the counts
// are kept (they describe what exists).
void ResetHooks();

} // namespace vfw::testing
