#pragma once

#include "platform/dsound/Types.h"

namespace dsound
{

// PCM, 1 or 2 channels, 8 or 16 bits, DSBFREQUENCY_MIN..DSBFREQUENCY_MAX Hz:
// the formats buffers and the output take. The block align and byte rate are
// derived from these, not read.
bool IsSupportedPcm(const WAVEFORMATEX& format);

} // namespace dsound
