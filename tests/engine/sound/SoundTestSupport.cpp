#include "tests/engine/sound/SoundTestSupport.h"

#include "content/WavWriter.h"

namespace corvellan::test
{

std::string CountingStereo16(std::uint32_t frames)
{
    // Bytes written directly: files of many minutes are made in every run.
    std::string data(static_cast<std::size_t>(frames) * 4, '\0');
    for (std::uint32_t frame = 0; frame < frames; ++frame)
    {
        const std::uint32_t left = frame & 0x7FFF;
        const std::uint32_t right = frame >> 15;
        char* at = &data[static_cast<std::size_t>(frame) * 4];
        at[0] = static_cast<char>(left & 0xFF);
        at[1] = static_cast<char>(left >> 8);
        at[2] = static_cast<char>(right & 0xFF);
        at[3] = static_cast<char>(right >> 8);
    }
    return content::WavWriter::Simple({1, 2, 22050, 16}, data);
}

} // namespace corvellan::test
