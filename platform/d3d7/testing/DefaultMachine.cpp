#include "platform/d3d7/GlContext.h"
#include "platform/d3d7/Machine.h"
#include "platform/d3d7/testing/D3D7Hooks.h"

namespace d3d7::testing
{

MachineDescription GetDefaultMachine()
{
    detail::GlContext& context = detail::GlContext::Get();
    context.Ensure();
    return detail::BuildDefaultMachine(context.GetLimits());
}

} // namespace d3d7::testing
