#pragma once

namespace OrvaneEngine
{

// Absolute tolerance of every approximate comparison and zero guard of the math types.
inline constexpr float kMathTolerance = 0.0001f;

// Below this distance from 1, two rotations are blended linearly: the sine of
// the angle between them is too small to divide by.
inline constexpr float kSlerpTolerance = 0.000001f;

} // namespace OrvaneEngine
