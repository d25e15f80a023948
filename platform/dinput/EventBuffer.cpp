#include "platform/dinput/EventBuffer.h"

#include <algorithm>

namespace dinput
{
namespace
{

std::uint32_t nextSequence = 1;

} // namespace

std::size_t EventBuffer::GetCapacity() const
{
    return std::max<std::size_t>(requested, kMinimumCapacity);
}

void EventBuffer::Add(std::uint32_t offset, std::uint32_t data, std::uint32_t time, bool mergeable)
{
    if (overflowed)
        return;
    if (mergeable)
    {
        for (auto it = records.rbegin(); it != records.rend(); ++it)
        {
            if (it->dwOfs >= DIMOFS_BUTTON0)
                break;
            if (it->dwOfs == offset)
            {
                // Wrapping addition: the reader takes the data as a signed value.
                it->dwData += data;
                it->dwTimeStamp = time;
                return;
            }
        }
    }
    if (records.size() >= GetCapacity())
    {
        overflowed = true;
        return;
    }
    records.push_back(DIDEVICEOBJECTDATA{offset, data, time, nextSequence++});
}

std::uint32_t EventBuffer::Take(DIDEVICEOBJECTDATA* out, std::uint32_t count)
{
    std::uint32_t taken = 0;
    while (taken < count && !records.empty())
    {
        out[taken++] = records.front();
        records.pop_front();
    }
    return taken;
}

void EventBuffer::Clear()
{
    records.clear();
    overflowed = false;
}

} // namespace dinput
