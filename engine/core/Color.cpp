#include "engine/core/Color.h"

#include "engine/core/MathConstants.h"

#include <cmath>

namespace OrvaneEngine
{

Color Color::Modulate(const Color& other) const
{
    return Color(r * other.r, g * other.g, b * other.b, a * other.a);
}

bool Color::operator!=(const Color& other) const
{
    return std::fabs(r - other.r) > kMathTolerance || std::fabs(g - other.g) > kMathTolerance ||
           std::fabs(b - other.b) > kMathTolerance || std::fabs(a - other.a) > kMathTolerance;
}

} // namespace OrvaneEngine
