#pragma once

#include "engine/core/Color.h"
#include "engine/core/Vector3.h"

#include <cstdint>

namespace OrvaneEngine
{

class MessageManager;

// One scene light bound to a device light index. The owner writes the
// settings directly; Refresh sends them to the device.
class Light
{
public:
    enum Type : std::uint32_t
    {
        Directional = 0,
        Spot = 1,
        Point = 2,
    };

    Light(MessageManager* log, std::uint32_t index);
    virtual ~Light();
    Light(const Light&) = delete;
    Light& operator=(const Light&) = delete;

    virtual void Refresh();
    virtual void Restore();

    MessageManager* log;
    std::uint32_t index;
    bool enabled = true;
    std::uint32_t type = Point;
    Vector3 position{0.0f, 0.0f, 0.0f};
    Vector3 direction{0.0f, 0.0f, -1.0f};
    // The largest range the device takes.
    float range = 1.8446743e19f;
    Color ambientColor{1.0f, 1.0f, 1.0f, 1.0f};
    Color diffuseColor{1.0f, 1.0f, 1.0f, 1.0f};
    Color specularColor{1.0f, 1.0f, 1.0f, 1.0f};
    float constantAttenuation = 1.0f;
    float linearAttenuation = 0.0f;
    float quadraticAttenuation = 0.0f;
    // Radians; spot lights only.
    float innerConeAngle = 0.0f;
    float outerConeAngle = 0.0f;
};

} // namespace OrvaneEngine
