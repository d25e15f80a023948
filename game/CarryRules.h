#pragma once

#include "engine/core/Vector2.h"

namespace Mirabel
{

// How a carried piece follows the cursor, grows towards its board size and is
// pulled by the magnet.

// The largest scale at which a piece of the given unscaled size fits the box.
float FitScale(const OrvaneEngine::Vector2& size, const OrvaneEngine::Vector2& box);

// The piece keeps its offset from the cursor, but never more than 0.18 of
// the track box's diagonal, so it stays under the pointer.
OrvaneEngine::Vector2 LimitGrabOffset(const OrvaneEngine::Vector2& offset, const OrvaneEngine::Vector2& trackBox);

// 0 up to 20 units from the track, 1 from 45 units on.
float BoardGrowth(float carriedDistance);
// Over the board the piece grows from its track scale to 1.
float CarriedScale(float growth, float trackScale, bool overBoard);

// Where the magnet takes a piece aimed at target this frame. Within 450 units
// of its place it is pulled up to 100 units nearer; within 200 it glides,
// closing glideStep / 0.35 of the gap from where it is. glide tells whether
// it glided.
OrvaneEngine::Vector2 MagnetTarget(const OrvaneEngine::Vector2& target, const OrvaneEngine::Vector2& placePoint,
                                   const OrvaneEngine::Vector2& current, float glideStep, bool& glide);

} // namespace Mirabel
