#pragma once

namespace dsound
{

// A point or direction in the device's left-handed frame: x right, y up,
// z forward when the listener keeps its default orientation.
struct Vector3f
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Where the listener stands and which way it faces.
struct ListenerState
{
    Vector3f position{};
    Vector3f front{0.0f, 0.0f, 1.0f};
    Vector3f top{0.0f, 1.0f, 0.0f};
};

} // namespace dsound
