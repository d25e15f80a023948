#pragma once

#include "engine/core/FileBinary.h"

#include <cstdint>
#include <memory>
#include <string>

namespace OrvaneEngine
{

class FileManager;
class MessageManager;

// Raw PCM bytes out of a sound file, for a sound buffer.
class SoundFileReader
{
public:
    // Opens "data\" + name for reading; throws FileError when it cannot.
    SoundFileReader(MessageManager* messageManager, FileManager* fileManager, const std::string& name);
    // Opens nothing (the silent reader).
    SoundFileReader(MessageManager* messageManager, FileManager* fileManager);
    // Reads a file that is already open (a pack entry or bytes in memory);
    // messages still name "data\" + name.
    SoundFileReader(MessageManager* messageManager, std::unique_ptr<FileBinary> file, const std::string& name);
    virtual ~SoundFileReader();
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    // Back to the first PCM byte.
    virtual void Rewind() = 0;
    // Delivers up to `wanted` bytes; `end` is set when no data follows them.
    // Wanting 0 bytes delivers none and reports the end.
    virtual void Read(void* destination, std::uint32_t wanted, std::uint32_t* delivered, bool* end) = 0;

    const std::string& GetName() const { return name; }
    const std::string& GetPath() const { return path; }
    std::uint32_t GetDataSize() const { return dataSize; }
    std::uint32_t GetChannels() const { return channels; }
    std::uint32_t GetBits() const { return bits; }
    std::uint32_t GetSampleRate() const { return sampleRate; }

protected:
    // "Failed to load " + the quoted path + ending.
    std::string LoadErrorText(const std::string& ending) const;

    MessageManager* messageManager;
    FileManager* fileManager;
    std::string name;
    std::string path;
    std::unique_ptr<FileBinary> file;
    std::uint32_t dataSize = 0;
    std::uint32_t channels = 0;
    std::uint32_t bits = 0;
    std::uint32_t sampleRate = 0;
};

} // namespace OrvaneEngine
