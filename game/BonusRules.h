#pragma once

#include <cstdint>

namespace Mirabel
{

enum BonusType : std::uint32_t
{
    BonusMagnet = 0,
    BonusPause = 1,
    BonusRollBack = 2,
    BonusTip = 3,
};

// Seconds between bonuses: shorter the fuller the arcade track.
float BonusInterval(std::uint32_t trainPieces, bool relax);

struct BonusWeights
{
    std::uint32_t tip;
    std::uint32_t magnet;
    std::uint32_t pause;
    std::uint32_t rollBack;
};
// Train-stopping bonuses come only in arcade mode, once the track fills up.
BonusWeights BonusTypeWeights(float freeRatio);

// A bonus symbol fades in for a second, stays, fades out in its 24th second;
// a collected one grows to 1.5 times its size as it fades in one second.
struct BonusLook
{
    float alpha;
    float scale;
    bool alive;
};
BonusLook BonusSymbolLook(float phaseTime, bool vanishing);

} // namespace Mirabel
