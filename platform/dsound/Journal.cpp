#include "platform/dsound/Journal.h"

#include "platform/dsound/HookTable.h"

namespace dsound
{

void Journal::Record(JournalCall call, std::int64_t first, std::int64_t second, HRESULT result)
{
    if (detail::IsJournalEnabled())
        entries.push_back({call, first, second, result});
}

} // namespace dsound
