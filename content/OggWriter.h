#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::content
{

// Encodes interleaved 16-bit samples as an Ogg Vorbis file (variable bit
// rate at the given quality, -0.1..1). Empty when the encoder refuses the
// channel count or rate.
std::string EncodeOggVorbis(const std::vector<std::int16_t>& samples, std::uint32_t channels, std::uint32_t rate,
                            float quality = 0.3f);

} // namespace corvellan::content
