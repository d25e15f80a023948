#pragma once

#include "engine/sound/SoundCommand.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class FileManager;
class MessageManager;
class Sound;
class SoundBufferManager;
class SoundSystem;

// Creates and owns every sound, queues deferred play, pause and stop
// requests, and once per frame runs them and keeps the sounds and streams
// going.
class SoundManager
{
public:
    // Makes the buffer manager and hands it to the system.
    SoundManager(MessageManager* messageManager, FileManager* fileManager, SoundSystem* system);
    virtual ~SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    Sound* CreateSound(const std::string& name);
    // Deletes a sound of this manager and drops its queued requests; null or
    // a foreign sound is ignored.
    void ReleaseSound(Sound* sound);
    // With now false the request waits for the next Update(true).
    void Play(Sound* sound, bool now);
    void Pause(Sound* sound, bool now);
    void Stop(Sound* sound, bool now);
    // With runCommands the queued requests run first, in order.
    void Update(bool runCommands);
    std::uint32_t GetSoundCount() const { return static_cast<std::uint32_t>(usedIndices.size()); }
    // The i-th live sound in creation order; null past the end.
    Sound* GetSound(std::uint32_t i) const;
    // Drops the queued requests without running them.
    void ClearCommands();
    // Deletes every sound and the buffer manager, and takes the buffer
    // manager back from the system.
    void ReleaseAll();

    SoundBufferManager* GetBufferManager() const { return bufferManager.get(); }
    std::uint32_t GetCommandCount() const { return static_cast<std::uint32_t>(commands.size()); }
    MessageManager* GetMessageManager() const { return messageManager; }
    FileManager* GetFileManager() const { return fileManager; }

private:
    MessageManager* messageManager;
    FileManager* fileManager;
    SoundSystem* system;
    std::unique_ptr<SoundBufferManager> bufferManager;
    std::uint32_t nextIndex = 0;
    // Used as a stack: the index freed last is reused first.
    std::vector<std::uint32_t> freeIndices;
    std::vector<std::uint32_t> usedIndices;
    std::vector<std::unique_ptr<Sound>> slots;
    std::vector<SoundCommand> commands;
};

} // namespace OrvaneEngine
