// Any bytes through the WAV reader: PCM in whole frames or a refusal, never a
// crash, an overrun, a hang or an exit.
#include "engine/sound/SoundFileReaderWAV.h"
#include "fuzz/SoundFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return corvellan::fuzz::RunSoundReader<OrvaneEngine::SoundFileReaderWAV>(data, size);
}
