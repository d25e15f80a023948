#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class FileManager;
class MessageManager;
class SoundFileReader;

// The samples of one voice. Data of up to one ring's size is held whole
// (static); longer data streams through a ring of 32 chunks that is refilled
// behind the play position once per frame.
class SoundBuffer
{
public:
    static constexpr std::uint32_t chunkSize = 32768;
    static constexpr std::uint32_t chunkCount = 32;
    static constexpr std::uint32_t ringSize = chunkSize * chunkCount;
    // A chunk is refilled once the play position is this far past its end.
    static constexpr std::uint32_t lag = 2 * chunkSize;
    // Silence a one-shot stream plays after its data before it stops.
    static constexpr std::uint32_t endMargin = chunkSize;

    enum StreamState : std::uint32_t
    {
        StreamStopped = 0,
        StreamPaused = 1,
        StreamPlaying = 2,
    };

    SoundBuffer(MessageManager* messageManager, FileManager* fileManager, const std::string& name);
    virtual ~SoundBuffer();
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // The per-frame refill of a playing stream.
    virtual void Update();
    // Drops the reader (and, on a device, the device's buffer).
    virtual void Unload();
    // Reads the file by name, or with a source takes the source's format and
    // shares its samples.
    virtual void Load(const SoundBuffer* source);
    virtual void CreateBuffer(const SoundBuffer* source) = 0;
    virtual void ReleaseBuffer() = 0;
    // Writes `bytes` bytes of scratch at chunk `chunk` of the buffer.
    virtual bool WriteBuffer(std::uint32_t chunk, const std::vector<std::uint8_t>& scratch, std::uint32_t bytes) = 0;
    virtual void QueueBuffer(std::uint32_t chunk) = 0;
    // The chunks the play position has left far enough behind to refill.
    virtual void UnqueueProcessedBuffers(std::vector<std::uint32_t>& chunks) = 0;

    // Chooses the reader by the name's extension; every failure is logged and
    // ends in the silent reader.
    void OpenReader(const SoundBuffer* source);
    // Reads `bytes` bytes for chunk `chunk` (silence for what the reader does
    // not deliver) and writes them; see the .cpp for what counts as success.
    bool DecodeBuffer(std::uint32_t chunk, std::vector<std::uint8_t>& scratch, std::uint32_t bytes);
    // Reads `bytes` bytes of a stream and drops them, as if they had been
    // decoded into chunks that nobody will hear.
    void SkipStream(std::uint64_t bytes);
    void SetStreamState(std::uint32_t state);
    void SetLoop(bool loop) { streamLoop = loop; }

    const std::string& GetName() const { return name; }
    std::uint32_t GetDataSize() const { return dataSize; }
    std::uint32_t GetSampleRate() const { return sampleRate; }
    std::uint32_t GetBits() const { return bits; }
    std::uint32_t GetChannels() const { return channels; }
    bool IsStreamed() const { return streamed; }
    bool GetStreamLoop() const { return streamLoop; }
    std::uint32_t GetStreamState() const { return streamState; }
    const SoundFileReader* GetReader() const { return reader.get(); }

protected:
    // A duplicate: the same log, files and name, but never the source's
    // reader, which the source alone owns.
    SoundBuffer(const SoundBuffer& source);

    // Where a one-shot stream's data ends: the declared size, or less when the
    // reader ran dry first.
    std::uint64_t StreamDataEnd() const;

    MessageManager* messageManager;
    FileManager* fileManager;
    std::string name;
    std::uint32_t dataSize = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t bits = 0;
    std::uint32_t channels = 0;
    bool streamed = false;
    bool streamLoop = false;
    std::unique_ptr<SoundFileReader> reader;
    std::vector<std::uint8_t> scratch;
    std::uint32_t streamState = StreamStopped;

private:
    // Reads up to `bytes` bytes of the stream, joining the file's end to its
    // start when it loops; how many came. `end` tells whether the first read
    // reported the end of the data.
    std::uint32_t ReadStream(std::uint8_t* destination, std::uint32_t bytes, bool* end);

    // Bytes the reader delivered since the stream last rewound, until it
    // first reported its end.
    std::uint64_t streamDelivered = 0;
    bool readerEnded = false;
    std::vector<std::uint32_t> processed;
};

} // namespace OrvaneEngine
