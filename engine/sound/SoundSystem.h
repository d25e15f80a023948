#pragma once

#include "engine/core/Vector3.h"

#include <memory>
#include <string>

namespace OrvaneEngine
{

class Config;
class FileManager;
class MessageManager;
class Sound;
class SoundBuffer;
class SoundBufferManager;

// The audio device as the rest of the sound code sees it: the listener, the
// 3D switch, and the factory of sounds and buffers.
class SoundSystem
{
public:
    SoundSystem(MessageManager* messageManager, FileManager* fileManager, Config* config, bool use3D);
    virtual ~SoundSystem();
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // Once per frame, before the sound manager's update.
    virtual void Refresh();
    virtual std::unique_ptr<Sound> CreateSound(const std::string& name) = 0;
    virtual std::unique_ptr<Sound> CloneSound(const Sound& sound) = 0;
    // The buffer reads its file at once.
    virtual std::unique_ptr<SoundBuffer> CreateSoundBuffer(const std::string& name) = 0;
    // A second voice sharing the samples of a loaded static buffer.
    virtual std::unique_ptr<SoundBuffer> CloneSoundBuffer(const SoundBuffer& buffer) = 0;
    virtual void SetListenerPosition(const Vector3& position);
    virtual void SetListenerOrientation(const Vector3& front, const Vector3& top);
    // Position (0, 0, 0), looking along -z with +y up.
    virtual void ResetListener();

    // The sound manager hands its buffer manager over here (and takes it back
    // with null); sounds made by the system draw their buffers from it.
    void SetSoundBufferManager(SoundBufferManager* manager) { bufferManager = manager; }
    SoundBufferManager* GetSoundBufferManager() const { return bufferManager; }

    MessageManager* GetMessageManager() const { return messageManager; }
    FileManager* GetFileManager() const { return fileManager; }
    bool Is3D() const { return use3D; }
    const Vector3& GetListenerPosition() const { return listenerPosition; }
    const Vector3& GetListenerFront() const { return listenerFront; }
    const Vector3& GetListenerTop() const { return listenerTop; }

protected:
    MessageManager* messageManager;
    FileManager* fileManager;
    Config* config;
    SoundBufferManager* bufferManager = nullptr;
    Vector3 listenerPosition{0.0f, 0.0f, 0.0f};
    Vector3 listenerFront{0.0f, 0.0f, 0.0f};
    Vector3 listenerTop{0.0f, 0.0f, 0.0f};
    bool use3D;
};

} // namespace OrvaneEngine
