#pragma once

#include <cstdint>
#include <vector>

namespace GameTools
{

// Picks ids at random by weight, never the same pick twice in a row while
// another entry can come out.
class RandomSelecter
{
public:
    // Draws made before a repeat of the last pick is let through.
    static constexpr std::uint32_t MostTries = 1000;

    RandomSelecter() = default;
    virtual ~RandomSelecter();
    RandomSelecter(const RandomSelecter&) = delete;
    RandomSelecter& operator=(const RandomSelecter&) = delete;

    void Add(std::uint32_t id, std::uint32_t weight);
    // 0 when nothing was added. Entries of weight 0 come out only when every
    // weight is 0, and then uniformly.
    std::uint32_t Select();

private:
    struct Entry
    {
        std::uint32_t id;
        std::uint32_t weight;
    };

    std::uint32_t PickOnce() const;

    std::uint32_t totalWeight = 0;
    std::vector<Entry> entries;
    std::uint32_t lastPick = 0xFFFFFFFFu;
};

} // namespace GameTools
