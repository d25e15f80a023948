#include "platform/d3d7/Counters.h"

namespace d3d7::detail
{

Counters& GetCounters()
{
    static Counters counters;
    return counters;
}

} // namespace d3d7::detail
