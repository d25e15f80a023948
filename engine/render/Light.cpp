#include "engine/render/Light.h"

namespace OrvaneEngine
{

Light::Light(MessageManager* log_, std::uint32_t index_) : log(log_), index(index_)
{
}

Light::~Light() = default;

void Light::Refresh()
{
}

void Light::Restore()
{
}

} // namespace OrvaneEngine
