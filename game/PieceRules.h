#pragma once

#include "engine/core/Vector2.h"

#include <cstdint>
#include <vector>

namespace Mirabel
{

// The supply order of a level's n pieces: each piece from the second on
// swaps with one drawn among itself and those before it. One piece draws
// nothing.
std::vector<std::uint32_t> ShuffleOrder(std::uint32_t count);

// The shadow lies down and to the right, less so on small pieces.
OrvaneEngine::Vector2 ShadowOffset(float scale);

// Strictly inside the rectangle from position to position + size.
bool IsInsideRect(const OrvaneEngine::Vector2& position, const OrvaneEngine::Vector2& size,
                  const OrvaneEngine::Vector2& point);

// The flash of an opened place: three beats of falling strength. Advances
// time and gives the window's alpha; done when it has run out.
float StepFlash(float& time, float dt, bool& done);

// A highlight pulsing in the tip colour; once ending it fades out from its
// current alpha. Gives the new alpha and clears running when it has gone.
struct Highlight
{
    bool running = false;
    bool ending = false;
    float time = 0.0f;
};
float StepHighlight(Highlight& highlight, float alpha, float step);

} // namespace Mirabel
