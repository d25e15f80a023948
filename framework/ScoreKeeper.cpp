#include "framework/ScoreKeeper.h"

namespace GameFramework
{

ScoreKeeper::ScoreKeeper(std::uint32_t score) : score(score)
{
}

ScoreKeeper::~ScoreKeeper() = default;

void ScoreKeeper::SetPoints(std::uint32_t eventId, std::uint32_t value)
{
    points.emplace(eventId, value);
}

std::uint32_t ScoreKeeper::GetPoints(std::uint32_t eventId) const
{
    const auto it = points.find(eventId);
    return it == points.end() ? 0u : it->second * multiplier;
}

void ScoreKeeper::AddPoints(std::uint32_t eventId, std::uint32_t count)
{
    score += GetPoints(eventId) * count;
}

void ScoreKeeper::AddScore(std::uint32_t value)
{
    score += value;
}

} // namespace GameFramework
