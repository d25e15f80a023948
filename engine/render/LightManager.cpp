#include "engine/render/LightManager.h"

#include "engine/core/MessageManager.h"
#include "engine/render/Light.h"
#include "engine/render/RenderSystem.h"

#include <algorithm>

namespace OrvaneEngine
{

LightManager::LightManager(MessageManager* log_, RenderSystem* renderSystem_)
    : log(log_), renderSystem(renderSystem_)
{
}

LightManager::~LightManager()
{
    freeSlots.clear();
    for (const std::uint32_t slot : usedSlots)
        delete lights[slot];
}

void LightManager::Update()
{
    renderSystem->SetAmbientColor(ambientColor);
    for (const std::uint32_t slot : usedSlots)
        lights[slot]->Refresh();
}

void LightManager::SetLighting(bool on)
{
    if (renderSystem->forceStates || renderSystem->lighting != on)
    {
        renderSystem->lighting = on;
        renderSystem->UpdateLighting();
    }
    if (on && renderSystem->lightsLost)
    {
        for (const std::uint32_t slot : usedSlots)
            lights[slot]->Restore();
        renderSystem->lightsLost = false;
    }
}

Light* LightManager::CreateLight()
{
    std::uint32_t slot = static_cast<std::uint32_t>(lights.size());
    if (!freeSlots.empty())
    {
        slot = freeSlots.back();
        freeSlots.pop_back();
    }
    Light* light = renderSystem->CreateLight(slot);
    if (!light)
    {
        // Nothing to hold: give the slot back.
        if (slot < lights.size())
            freeSlots.push_back(slot);
        return nullptr;
    }
    usedSlots.push_back(slot);
    if (slot == lights.size())
        lights.push_back(light);
    else
        lights[slot] = light;
    return light;
}

void LightManager::DeleteLight(Light* light)
{
    if (!light)
        return;
    const auto it = std::find_if(usedSlots.begin(), usedSlots.end(),
                                 [&](std::uint32_t slot) { return lights[slot] == light; });
    if (it == usedSlots.end())
    {
        log->Error("LightManager::DeleteLight: the light was not made by this manager");
        return;
    }
    const std::uint32_t slot = *it;
    delete light;
    lights[slot] = nullptr;
    freeSlots.push_back(slot);
    usedSlots.erase(it);
}

Light* LightManager::GetLight(std::uint32_t slot) const
{
    return slot < lights.size() ? lights[slot] : nullptr;
}

} // namespace OrvaneEngine
