#include "game/CarryRules.h"

#include <algorithm>

namespace Mirabel
{

float FitScale(const OrvaneEngine::Vector2& size, const OrvaneEngine::Vector2& box)
{
    return std::min(box.x / size.x, box.y / size.y);
}

OrvaneEngine::Vector2 LimitGrabOffset(const OrvaneEngine::Vector2& offset, const OrvaneEngine::Vector2& trackBox)
{
    OrvaneEngine::Vector2 result = offset;
    const float length = result.Length();
    if (length > 1.0f)
        result.SetLength(std::min(length, 0.18f * trackBox.Length()));
    return result;
}

float BoardGrowth(float carriedDistance)
{
    return std::clamp((carriedDistance - 20.0f) / 25.0f, 0.0f, 1.0f);
}

float CarriedScale(float growth, float trackScale, bool overBoard)
{
    return overBoard ? (1.0f - growth) * trackScale + growth : trackScale;
}

OrvaneEngine::Vector2 MagnetTarget(const OrvaneEngine::Vector2& target, const OrvaneEngine::Vector2& placePoint,
                                   const OrvaneEngine::Vector2& current, float glideStep, bool& glide)
{
    glide = false;
    OrvaneEngine::Vector2 v(placePoint.x - target.x, placePoint.y - target.y);
    const float dist = v.Length();
    if (dist > 0.0001f)
        v /= dist;
    OrvaneEngine::Vector2 result = target;
    if (dist < 450.0f)
    {
        const float pull = 100.0f * (1.0f - std::max(dist - 200.0f, 0.0f) / 250.0f);
        result.x += v.x * pull;
        result.y += v.y * pull;
    }
    if (dist < 200.0f)
    {
        glide = true;
        result = OrvaneEngine::Vector2::Lerp(current, placePoint, std::min(1.0f, glideStep / 0.35f));
    }
    return result;
}

} // namespace Mirabel
