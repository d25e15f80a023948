// Any bytes through the JPEG reader: a sound picture or a refusal, never a
// crash, an overrun, a hang or an exit.
#include "fuzz/ImageFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return corvellan::fuzz::RunImageReader(data, size, "fuzz.jpg", &OrvaneEngine::Image::ReadJPEG);
}
