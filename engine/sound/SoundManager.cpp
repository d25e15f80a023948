#include "engine/sound/SoundManager.h"

#include "engine/sound/Sound.h"
#include "engine/sound/SoundBufferManager.h"
#include "engine/sound/SoundSystem.h"

#include <algorithm>

namespace OrvaneEngine
{

SoundManager::SoundManager(MessageManager* messages, FileManager* files, SoundSystem* owner)
    : messageManager(messages), fileManager(files), system(owner),
      bufferManager(std::make_unique<SoundBufferManager>(messages, files, owner))
{
    system->SetSoundBufferManager(bufferManager.get());
}

SoundManager::~SoundManager()
{
    ReleaseAll();
}

Sound* SoundManager::CreateSound(const std::string& name)
{
    std::unique_ptr<Sound> sound = system->CreateSound(name);
    std::uint32_t index = 0;
    if (!freeIndices.empty())
    {
        index = freeIndices.back();
        freeIndices.pop_back();
    }
    else
    {
        index = nextIndex++;
    }
    if (index >= slots.size())
        slots.resize(index + 1);
    usedIndices.push_back(index);
    slots[index] = std::move(sound);
    return slots[index].get();
}

void SoundManager::ReleaseSound(Sound* sound)
{
    if (!sound)
        return;
    const auto used = std::find_if(usedIndices.begin(), usedIndices.end(),
                                   [&](std::uint32_t index) { return slots[index].get() == sound; });
    if (used == usedIndices.end())
        return;
    // A queued request must not outlive its sound.
    std::erase_if(commands, [&](const SoundCommand& command) { return command.sound == sound; });
    const std::uint32_t index = *used;
    usedIndices.erase(used);
    slots[index].reset();
    freeIndices.push_back(index);
}

void SoundManager::Play(Sound* sound, bool now)
{
    if (!sound)
        return;
    if (!now)
    {
        commands.push_back({SoundCommand::Play, sound});
        return;
    }
    if (sound->Play())
        return;
    // A device that ran out of voices: make room by stopping the first other
    // one-shot sound that is still going.
    for (const std::uint32_t index : usedIndices)
    {
        Sound* other = slots[index].get();
        if (other != sound && other->GetState() != Sound::Stopped && !other->GetLoop())
        {
            other->Stop();
            sound->Play();
            return;
        }
    }
}

void SoundManager::Pause(Sound* sound, bool now)
{
    if (!sound)
        return;
    if (now)
        sound->Pause();
    else
        commands.push_back({SoundCommand::Pause, sound});
}

void SoundManager::Stop(Sound* sound, bool now)
{
    if (!sound)
        return;
    if (now)
        sound->Stop();
    else
        commands.push_back({SoundCommand::Stop, sound});
}

void SoundManager::Update(bool runCommands)
{
    if (runCommands)
    {
        std::vector<SoundCommand> queued;
        queued.swap(commands);
        for (const SoundCommand& command : queued)
        {
            switch (command.type)
            {
            case SoundCommand::Play:
                Play(command.sound, true);
                break;
            case SoundCommand::Pause:
                Pause(command.sound, true);
                break;
            case SoundCommand::Stop:
                Stop(command.sound, true);
                break;
            default:
                break;
            }
        }
    }
    for (const std::uint32_t index : usedIndices)
        slots[index]->Update();
    if (bufferManager)
        bufferManager->Update();
}

Sound* SoundManager::GetSound(std::uint32_t i) const
{
    if (i >= usedIndices.size())
        return nullptr;
    return slots[usedIndices[i]].get();
}

void SoundManager::ClearCommands()
{
    commands.clear();
}

void SoundManager::ReleaseAll()
{
    ClearCommands();
    freeIndices.clear();
    for (const std::uint32_t index : usedIndices)
        slots[index].reset();
    usedIndices.clear();
    slots.clear();
    nextIndex = 0;
    if (system && system->GetSoundBufferManager() == bufferManager.get())
        system->SetSoundBufferManager(nullptr);
    bufferManager.reset();
}

} // namespace OrvaneEngine
