#include "game/PieceRules.h"

#include "engine/core/Random.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace Mirabel
{

std::vector<std::uint32_t> ShuffleOrder(std::uint32_t count)
{
    std::vector<std::uint32_t> order(count);
    for (std::uint32_t i = 0; i < count; ++i)
        order[i] = i;
    for (std::uint32_t k = 1; k < count; ++k)
    {
        const std::uint32_t j = OrvaneEngine::RandomIndex(k + 1);
        if (j != k)
            std::swap(order[k], order[j]);
    }
    return order;
}

OrvaneEngine::Vector2 ShadowOffset(float scale)
{
    const float k = std::min(2.0f * scale, 1.0f);
    return OrvaneEngine::Vector2(3.0f * k, -3.0f * k);
}

bool IsInsideRect(const OrvaneEngine::Vector2& position, const OrvaneEngine::Vector2& size,
                  const OrvaneEngine::Vector2& point)
{
    return position.x < point.x && point.x < position.x + size.x && position.y < point.y &&
           point.y < position.y + size.y;
}

float StepFlash(float& time, float dt, bool& done)
{
    time += dt * 2.5f;
    done = false;
    const float pi = std::numbers::pi_v<float>;
    float amplitude = 0.0f;
    if (time < pi / 2.0f)
        amplitude = 0.9f;
    else if (time < 3.0f * pi / 2.0f)
        amplitude = 0.6f;
    else if (time < 5.0f * pi / 2.0f)
        amplitude = 0.3f;
    else
        done = true;
    return amplitude * std::fabs(std::cos(time));
}

float StepHighlight(Highlight& highlight, float alpha, float step)
{
    if (!highlight.ending)
    {
        highlight.time += step;
        return 0.4f * std::fabs(std::sin(highlight.time));
    }
    alpha -= step;
    if (alpha < 0.0f)
    {
        alpha = 0.0f;
        highlight.running = false;
        highlight.ending = false;
    }
    return alpha;
}

} // namespace Mirabel
