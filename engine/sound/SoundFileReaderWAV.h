#pragma once

#include "engine/sound/SoundFileReader.h"

namespace OrvaneEngine
{

// PCM data of a RIFF/WAVE file: 1 or 2 channels of 8 or 16 bits.
class SoundFileReaderWAV final : public SoundFileReader
{
public:
    // Throws FileError when the header, the format or the data chunk is
    // missing or refused, or the file ends inside a chunk header.
    SoundFileReaderWAV(MessageManager* messageManager, FileManager* fileManager, const std::string& name);
    SoundFileReaderWAV(MessageManager* messageManager, std::unique_ptr<FileBinary> file, const std::string& name);

    void Rewind() override;
    // Whole frames only, so that a looping voice never joins inside a frame.
    void Read(void* destination, std::uint32_t wanted, std::uint32_t* delivered, bool* end) override;

private:
    void ReadHeader();
    // Offset of the first chunk with that id (and, for "fmt ", at least 16
    // bytes) after the RIFF header; throws with the ending when a skip reaches
    // the end of the file first.
    std::uint64_t FindChunk(std::uint32_t id, std::uint32_t minimumSize, std::uint32_t* chunkSize,
                            const std::string& ending);
    void ReadFormat();
    std::uint32_t BlockAlign() const { return channels * bits / 8; }

    std::uint32_t dataStart = 0;
    // What the file really holds of the data, in whole frames.
    std::uint32_t dataPresent = 0;
    std::uint32_t remaining = 0;
};

} // namespace OrvaneEngine
