#pragma once

namespace OrvaneEngine
{

// A generic four-component value, laid out like Color. Default construction
// leaves the components as they were.
class Vector4
{
public:
    float x;
    float y;
    float z;
    float w;

    Vector4() = default;
    Vector4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

    void Set(float x_, float y_, float z_, float w_);
    Vector4 Scale(float s) const;
    Vector4 Add(const Vector4& b) const;
    float Dot(const Vector4& b) const;
};

} // namespace OrvaneEngine
