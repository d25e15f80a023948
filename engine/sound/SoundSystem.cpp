#include "engine/sound/SoundSystem.h"

namespace OrvaneEngine
{

SoundSystem::SoundSystem(MessageManager* messages, FileManager* files, Config* configuration, bool threeD)
    : messageManager(messages), fileManager(files), config(configuration), use3D(threeD)
{
}

SoundSystem::~SoundSystem() = default;

void SoundSystem::Refresh()
{
}

void SoundSystem::SetListenerPosition(const Vector3& position)
{
    listenerPosition = position;
}

void SoundSystem::SetListenerOrientation(const Vector3& front, const Vector3& top)
{
    listenerFront = front;
    listenerTop = top;
}

void SoundSystem::ResetListener()
{
    SetListenerPosition(Vector3(0.0f, 0.0f, 0.0f));
    SetListenerOrientation(Vector3(0.0f, 0.0f, -1.0f), Vector3(0.0f, 1.0f, 0.0f));
}

} // namespace OrvaneEngine
