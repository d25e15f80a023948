#include "platform/dsound/Journal.h"

#include "platform/dsound/testing/HookState.h"

namespace dsound
{

void Journal::Record(JournalCall call, std::int64_t first, std::int64_t second, HRESULT result)
{
    if (testing::IsJournalEnabled())
        entries.push_back({call, first, second, result});
}

} // namespace dsound
