#include "engine/sound/Sound.h"

#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundBufferManager.h"

namespace OrvaneEngine
{

Sound::Sound(MessageManager* messages, SoundBufferManager* buffers, const std::string& fileName)
    : messageManager(messages), bufferManager(buffers), name(fileName)
{
    if (bufferManager)
        buffer = bufferManager->AcquireBuffer(name);
}

Sound::Sound(const Sound& source)
    : messageManager(source.messageManager), bufferManager(source.bufferManager), name(source.name),
      loop(source.loop), volume(source.volume), tempo(source.tempo), position(source.position)
{
    if (bufferManager)
        buffer = bufferManager->AcquireBuffer(name);
}

Sound::~Sound()
{
    if (bufferManager)
        bufferManager->ReleaseBuffer(buffer);
}

void Sound::Update()
{
}

void Sound::SetLoop(bool flag)
{
    loop = flag;
    if (buffer && buffer->IsStreamed())
        buffer->SetLoop(flag);
}

void Sound::SetVolume(float value)
{
    volume = value;
}

void Sound::SetTempo(float value)
{
    tempo = value;
}

void Sound::SetPosition(const Vector3& value)
{
    position = value;
}

} // namespace OrvaneEngine
