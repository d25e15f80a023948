#include "engine/sound/SoundFileReaderWAV.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace OrvaneEngine
{
namespace
{
constexpr std::uint32_t FourCC(const char (&text)[5])
{
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[0])) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[3])) << 24;
}

constexpr std::uint32_t riffId = FourCC("RIFF");
constexpr std::uint32_t waveId = FourCC("WAVE");
constexpr std::uint32_t formatId = FourCC("fmt ");
constexpr std::uint32_t dataId = FourCC("data");
constexpr std::uint32_t firstChunk = 12;
constexpr std::uint32_t formatSize = 16;

const std::string noHeader = " sound file - no RIFF header";
const std::string noFormat = " sound file - no format chunk";
const std::string noData = " sound file - no data chunk";

} // namespace

SoundFileReaderWAV::SoundFileReaderWAV(MessageManager* messages, FileManager* files, const std::string& fileName)
    : SoundFileReader(messages, files, fileName)
{
    ReadHeader();
}

SoundFileReaderWAV::SoundFileReaderWAV(MessageManager* messages, std::unique_ptr<FileBinary> openFile,
                                       const std::string& fileName)
    : SoundFileReader(messages, std::move(openFile), fileName)
{
    ReadHeader();
}

void SoundFileReaderWAV::ReadHeader()
{
    std::uint8_t header[12];
    file->Read(header, sizeof(header));
    if (LoadLittle32(header) != riffId || LoadLittle32(header + 4) == 0 || LoadLittle32(header + 8) != waveId)
        throw FileError(LoadErrorText(noHeader));

    ReadFormat();

    std::uint32_t declared = 0;
    const std::uint64_t start = FindChunk(dataId, 0, &declared, noData) + 8;
    dataStart = static_cast<std::uint32_t>(std::min<std::uint64_t>(start, file->GetSize()));
    // A partial frame at the end would shift every later frame of a loop.
    dataSize = declared - declared % BlockAlign();
    const std::uint32_t present = file->GetSize() - dataStart;
    dataPresent = std::min(dataSize, present - present % BlockAlign());
    Rewind();
}

std::uint64_t SoundFileReaderWAV::FindChunk(std::uint32_t id, std::uint32_t minimumSize, std::uint32_t* chunkSize,
                                            const std::string& ending)
{
    // 64 bits: a size near 4 GiB must not wrap the offset back into the file.
    std::uint64_t offset = firstChunk;
    for (;;)
    {
        if (offset >= file->GetSize())
            throw FileError(LoadErrorText(ending));
        file->Seek(0, static_cast<std::int32_t>(offset));
        std::uint8_t header[8];
        file->Read(header, sizeof(header));
        const std::uint32_t chunkId = LoadLittle32(header);
        const std::uint32_t size = LoadLittle32(header + 4);
        if (chunkId == id && size >= minimumSize)
        {
            *chunkSize = size;
            return offset;
        }
        offset += 8 + static_cast<std::uint64_t>(size) + (size & 1u);
    }
}

void SoundFileReaderWAV::ReadFormat()
{
    std::uint32_t size = 0;
    const std::uint64_t offset = FindChunk(formatId, formatSize, &size, noFormat);
    file->Seek(0, static_cast<std::int32_t>(offset + 8));
    std::uint8_t format[formatSize];
    file->Read(format, sizeof(format));
    const std::uint16_t tag = LoadLittle16(format);
    channels = LoadLittle16(format + 2);
    sampleRate = LoadLittle32(format + 4);
    bits = LoadLittle16(format + 14);
    // No channels or no rate would make a stream that never ends.
    if (tag != 1 || channels == 0 || channels > 2 || (bits != 8 && bits != 16) || sampleRate == 0)
        throw FileError(LoadErrorText(noFormat));
}

void SoundFileReaderWAV::Rewind()
{
    remaining = dataPresent;
    file->Seek(0, static_cast<std::int32_t>(dataStart));
}

void SoundFileReaderWAV::Read(void* destination, std::uint32_t wanted, std::uint32_t* delivered, bool* end)
{
    std::uint32_t count = std::min(wanted, remaining);
    count -= count % BlockAlign();
    std::uint32_t got = 0;
    if (count > 0)
        file->Read(destination, count, &got);
    if (got < count)
    {
        got -= got % BlockAlign();
        remaining = 0;
    }
    else
    {
        remaining -= count;
    }
    *delivered = got;
    *end = wanted == 0 || remaining == 0;
}

} // namespace OrvaneEngine
