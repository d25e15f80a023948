#include "engine/sound/SoundBufferManager.h"

#include "engine/core/StringFunctions.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundSystem.h"

#include <algorithm>

namespace OrvaneEngine
{

SoundBufferManager::SoundBufferManager(MessageManager* messages, FileManager* files, SoundSystem* owner)
    : messageManager(messages), fileManager(files), system(owner)
{
}

SoundBufferManager::~SoundBufferManager() = default;

SoundBuffer* SoundBufferManager::AcquireBuffer(const std::string& name)
{
    const std::string key = ToLower(name);
    const SoundBuffer* source = nullptr;
    for (const std::uint32_t index : usedIndices)
    {
        if (slots[index]->GetName() == key)
        {
            if (!slots[index]->IsStreamed())
                source = slots[index].get();
            break;
        }
    }

    std::unique_ptr<SoundBuffer> buffer =
        source ? system->CloneSoundBuffer(*source) : system->CreateSoundBuffer(name);
    std::uint32_t index = 0;
    if (!freeIndices.empty())
    {
        index = freeIndices.back();
        freeIndices.pop_back();
    }
    else
    {
        index = static_cast<std::uint32_t>(slots.size());
        slots.emplace_back();
    }
    usedIndices.push_back(index);
    slots[index] = std::move(buffer);
    return slots[index].get();
}

void SoundBufferManager::ReleaseBuffer(SoundBuffer* buffer)
{
    if (!buffer)
        return;
    const auto used = std::find_if(usedIndices.begin(), usedIndices.end(),
                                   [&](std::uint32_t index) { return slots[index].get() == buffer; });
    if (used == usedIndices.end())
        return;
    const std::uint32_t index = *used;
    usedIndices.erase(used);
    slots[index].reset();
    freeIndices.push_back(index);
}

void SoundBufferManager::Update()
{
    for (const std::uint32_t index : usedIndices)
        slots[index]->Update();
}

} // namespace OrvaneEngine
