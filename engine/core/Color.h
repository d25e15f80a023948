#pragma once

namespace OrvaneEngine
{

// Red, green, blue and alpha, nominally 0 to 1 each. Storage does not clamp;
// packing for the device does. Default construction leaves the channels as they were.
class Color
{
public:
    float r;
    float g;
    float b;
    float a;

    Color() = default;
    Color(float r_, float g_, float b_, float a_) : r(r_), g(g_), b(b_), a(a_) {}

    // Channel-wise product.
    Color Modulate(const Color& other) const;
    // Differs by more than the math tolerance in any channel.
    bool operator!=(const Color& other) const;
};

} // namespace OrvaneEngine
