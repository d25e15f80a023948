#pragma once

#include <cstdint>
#include <map>

namespace GameFramework
{

// Points per scoring event and the running score of a level. Everything is
// unsigned 32-bit and wraps.
class ScoreKeeper
{
public:
    explicit ScoreKeeper(std::uint32_t score);
    virtual ~ScoreKeeper();
    ScoreKeeper(const ScoreKeeper&) = delete;
    ScoreKeeper& operator=(const ScoreKeeper&) = delete;

    // An event keeps the points it was first registered with.
    void SetPoints(std::uint32_t eventId, std::uint32_t points);
    // Points times the multiplier; 0 for an event never registered.
    std::uint32_t GetPoints(std::uint32_t eventId) const;
    void AddPoints(std::uint32_t eventId, std::uint32_t count);
    void AddScore(std::uint32_t points);

    std::uint32_t GetScore() const { return score; }
    void SetScore(std::uint32_t value) { score = value; }
    std::uint32_t GetMultiplier() const { return multiplier; }

private:
    std::map<std::uint32_t, std::uint32_t> points;
    std::uint32_t multiplier = 1;
    std::uint32_t score = 0;
};

} // namespace GameFramework
