#include "tools/RandomSelecter.h"

#include "engine/core/Random.h"

namespace GameTools
{

RandomSelecter::~RandomSelecter()
{
    entries.clear();
}

void RandomSelecter::Add(std::uint32_t id, std::uint32_t weight)
{
    entries.push_back({id, weight});
    totalWeight += weight;
}

std::uint32_t RandomSelecter::Select()
{
    if (entries.empty())
        return 0;
    std::uint32_t pick = PickOnce();
    for (std::uint32_t tries = 1; pick == lastPick && tries < MostTries; ++tries)
        pick = PickOnce();
    lastPick = pick;
    return entries[pick].id;
}

std::uint32_t RandomSelecter::PickOnce() const
{
    // Both ends are drawn, so the first weighted entry comes out a little
    // more often than its weight says; the game's odds were tuned with that.
    const std::uint32_t target = static_cast<std::uint32_t>(OrvaneEngine::RandomInt(0, static_cast<int>(totalWeight)));
    std::uint32_t sum = 0;
    for (std::uint32_t i = 0; i < entries.size(); ++i)
    {
        sum += entries[i].weight;
        if (sum >= target && entries[i].weight != 0)
            return i;
    }
    return OrvaneEngine::RandomIndex(static_cast<std::uint32_t>(entries.size()));
}

} // namespace GameTools
