#include "engine/sound/SoundBuffer.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/core/StringFunctions.h"
#include "engine/sound/SoundFileReaderEMP.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"

#include <algorithm>

namespace OrvaneEngine
{

SoundBuffer::SoundBuffer(MessageManager* messages, FileManager* files, const std::string& fileName)
    : messageManager(messages), fileManager(files), name(ToLower(fileName))
{
}

SoundBuffer::SoundBuffer(const SoundBuffer& source)
    : messageManager(source.messageManager), fileManager(source.fileManager), name(source.name)
{
}

SoundBuffer::~SoundBuffer() = default;

void SoundBuffer::Unload()
{
    reader.reset();
}

void SoundBuffer::Load(const SoundBuffer* source)
{
    OpenReader(source);
    CreateBuffer(source);
    if (source)
        return;
    if (streamed)
    {
        streamLoop = false;
        streamState = StreamStopped;
        return;
    }
    if (!DecodeBuffer(0, scratch, dataSize))
        messageManager->Error("\"" + name + "\" sound file - incorrect format");
    reader.reset();
    // The device holds the samples now; a static buffer never decodes again
    // until it is restored.
    std::vector<std::uint8_t>().swap(scratch);
}

void SoundBuffer::OpenReader(const SoundBuffer* source)
{
    if (reader)
        return;
    if (source)
    {
        dataSize = source->dataSize;
        sampleRate = source->sampleRate;
        bits = source->bits;
        channels = source->channels;
        streamed = false;
        return;
    }
    try
    {
        const std::string extension = GetExtension(name);
        if (name.empty())
        {
            reader = std::make_unique<SoundFileReaderEMP>(messageManager, fileManager);
        }
        else if (extension == "wav")
        {
            reader = std::make_unique<SoundFileReaderWAV>(messageManager, fileManager, name);
        }
        else if (extension == "ogg")
        {
            reader = std::make_unique<SoundFileReaderOGG>(messageManager, fileManager, name);
        }
        else
        {
            messageManager->Error("Failed to load \"" + name + "\" sound file - unknown type");
            reader = std::make_unique<SoundFileReaderEMP>(messageManager, fileManager);
        }
    }
    catch (const FileError& error)
    {
        messageManager->Error(error.GetText());
        reader = std::make_unique<SoundFileReaderEMP>(messageManager, fileManager);
    }
    dataSize = reader->GetDataSize();
    sampleRate = reader->GetSampleRate();
    bits = reader->GetBits();
    channels = reader->GetChannels();
    streamed = dataSize > ringSize;
}

bool SoundBuffer::DecodeBuffer(std::uint32_t chunk, std::vector<std::uint8_t>& data, std::uint32_t bytes)
{
    if (bytes == 0)
        return false;
    if (data.size() != bytes)
        data.resize(bytes);

    bool end = true;
    const std::uint32_t got = ReadStream(data.data(), bytes, &end);
    std::fill(data.begin() + got, data.begin() + bytes, static_cast<std::uint8_t>(bits == 8 ? 128 : 0));

    if (!WriteBuffer(chunk, data, bytes))
        return false;
    if (!streamed)
        return got == bytes;
    return streamLoop || got > 0 || !end;
}

void SoundBuffer::SkipStream(std::uint64_t bytes)
{
    if (!streamed || !reader)
        return;
    if (scratch.size() != chunkSize)
        scratch.resize(chunkSize);
    while (bytes > 0)
    {
        // Once the loop's length is known, whole turns of it change nothing.
        if (streamLoop && readerEnded && streamDelivered > 0)
            bytes %= streamDelivered;
        if (bytes == 0)
            return;
        const auto wanted = static_cast<std::uint32_t>(std::min<std::uint64_t>(bytes, chunkSize));
        bool end = true;
        if (ReadStream(scratch.data(), wanted, &end) < wanted && !streamLoop)
            return;
        bytes -= wanted;
    }
}

std::uint32_t SoundBuffer::ReadStream(std::uint8_t* destination, std::uint32_t bytes, bool* end)
{
    std::uint32_t got = 0;
    *end = true;
    if (reader)
        reader->Read(destination, bytes, &got, end);
    if (streamed && !readerEnded)
    {
        streamDelivered += got;
        readerEnded = *end;
    }
    if (streamed && streamLoop && reader)
    {
        // The file's start follows its end directly, inside this chunk.
        while (got < bytes)
        {
            reader->Rewind();
            std::uint32_t more = 0;
            bool ended = false;
            reader->Read(destination + got, bytes - got, &more, &ended);
            if (more == 0)
                break;
            got += more;
        }
    }
    return got;
}

void SoundBuffer::SetStreamState(std::uint32_t state)
{
    if (state == streamState)
        return;
    // A stopped stream has no place to hold: pausing it would let the next
    // play resume the ring's stale contents instead of the file's start.
    if (streamState == StreamStopped && state == StreamPaused)
        return;
    if (streamState == StreamStopped && state == StreamPlaying)
    {
        if (reader)
            reader->Rewind();
        streamDelivered = 0;
        readerEnded = false;
        for (std::uint32_t chunk = 0; chunk < chunkCount; ++chunk)
        {
            if (DecodeBuffer(chunk, scratch, chunkSize))
                QueueBuffer(chunk);
        }
    }
    streamState = state;
}

void SoundBuffer::Update()
{
    if (!streamed || streamState != StreamPlaying)
        return;
    UnqueueProcessedBuffers(processed);
    for (const std::uint32_t chunk : processed)
    {
        if (DecodeBuffer(chunk, scratch, chunkSize))
            QueueBuffer(chunk);
    }
}

std::uint64_t SoundBuffer::StreamDataEnd() const
{
    return readerEnded ? std::min<std::uint64_t>(dataSize, streamDelivered) : dataSize;
}

} // namespace OrvaneEngine
