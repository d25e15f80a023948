#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class FileManager;
class MessageManager;
class SoundBuffer;
class SoundSystem;

// Owns the buffers of all sounds. A second voice of a loaded static file
// shares the first one's samples; every stream has a ring of its own.
class SoundBufferManager
{
public:
    SoundBufferManager(MessageManager* messageManager, FileManager* fileManager, SoundSystem* system);
    virtual ~SoundBufferManager();
    SoundBufferManager(const SoundBufferManager&) = delete;
    SoundBufferManager& operator=(const SoundBufferManager&) = delete;

    // A new buffer for the file: a duplicate of the first live buffer of
    // that name when it is static, else read from the file.
    SoundBuffer* AcquireBuffer(const std::string& name);
    // Deletes a buffer of this manager; null or a foreign buffer is ignored.
    void ReleaseBuffer(SoundBuffer* buffer);
    // Refills the streams, in the order the buffers were acquired.
    void Update();

    MessageManager* GetMessageManager() const { return messageManager; }
    FileManager* GetFileManager() const { return fileManager; }
    std::uint32_t GetBufferCount() const { return static_cast<std::uint32_t>(usedIndices.size()); }

private:
    MessageManager* messageManager;
    FileManager* fileManager;
    SoundSystem* system;
    // Used as a stack: the index freed last is reused first.
    std::vector<std::uint32_t> freeIndices;
    std::vector<std::uint32_t> usedIndices;
    std::vector<std::unique_ptr<SoundBuffer>> slots;
};

} // namespace OrvaneEngine
