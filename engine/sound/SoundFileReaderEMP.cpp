#include "engine/sound/SoundFileReaderEMP.h"

#include <algorithm>
#include <cstring>

namespace OrvaneEngine
{

SoundFileReaderEMP::SoundFileReaderEMP(MessageManager* messages, FileManager* files)
    : SoundFileReader(messages, files)
{
    dataSize = length;
    channels = 1;
    bits = 8;
    sampleRate = 22050;
}

void SoundFileReaderEMP::Rewind()
{
    position = 0;
}

void SoundFileReaderEMP::Read(void* destination, std::uint32_t wanted, std::uint32_t* delivered, bool* end)
{
    const std::uint32_t count = std::min(wanted, length - position);
    if (count > 0)
        std::memset(destination, 128, count);
    position += count;
    *delivered = count;
    *end = wanted == 0 || position == length;
}

} // namespace OrvaneEngine
