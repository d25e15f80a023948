#include "game/BonusRules.h"

#include <algorithm>

namespace Mirabel
{

float BonusInterval(std::uint32_t trainPieces, bool relax)
{
    if (relax)
        return 13.0f;
    const float extra = static_cast<float>(std::max(trainPieces, 10u) - 10u);
    return std::max(11.5f - 0.65f * extra, 3.5f);
}

BonusWeights BonusTypeWeights(float freeRatio)
{
    if (freeRatio > 0.8f)
        return BonusWeights{20, 16, 0, 0};
    if (freeRatio > 0.7f)
        return BonusWeights{20, 16, 12, 0};
    if (freeRatio >= 0.2f)
        return BonusWeights{20, 16, 12, 5};
    return BonusWeights{20, 16, 12, 22};
}

BonusLook BonusSymbolLook(float phaseTime, bool vanishing)
{
    BonusLook look{1.0f, 1.0f, true};
    if (vanishing)
    {
        look.alpha = std::max(1.0f - phaseTime, 0.0f);
        look.scale = 1.0f + 0.5f * phaseTime;
        look.alive = !(phaseTime + 0.0001f > 1.0f);
        return look;
    }
    if (phaseTime < 1.0f)
        look.alpha = phaseTime;
    if (phaseTime > 23.0f)
        look.alpha = std::max(24.0f - phaseTime, 0.0f);
    look.alive = !(phaseTime > 24.0f);
    return look;
}

} // namespace Mirabel
