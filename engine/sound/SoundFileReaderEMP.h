#pragma once

#include "engine/sound/SoundFileReader.h"

namespace OrvaneEngine
{

// Eight bytes of 8-bit mono silence at 22050 Hz: what plays in place of a
// sound file that is missing, unreadable or of an unknown type.
class SoundFileReaderEMP final : public SoundFileReader
{
public:
    SoundFileReaderEMP(MessageManager* messageManager, FileManager* fileManager);

    void Rewind() override;
    void Read(void* destination, std::uint32_t wanted, std::uint32_t* delivered, bool* end) override;

private:
    static constexpr std::uint32_t length = 8;

    std::uint32_t position = 0;
};

} // namespace OrvaneEngine
