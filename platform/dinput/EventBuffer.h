#pragma once

#include "platform/dinput/Types.h"

#include <cstddef>
#include <cstdint>
#include <deque>

namespace dinput
{

// A device's buffered events between two reads. It holds at least
// kMinimumCapacity records whatever size was asked for, so the engine's
// small buffers survive a frame of quick typing; past its capacity it
// overflows, and the next read reports the overflow and starts afresh.
class EventBuffer
{
public:
    static constexpr std::size_t kMinimumCapacity = 16;

    void SetRequestedSize(std::uint32_t size) { requested = size; }
    std::uint32_t GetRequestedSize() const { return requested; }
    std::size_t GetCapacity() const;

    // Mouse motion adds into the last record of its axis when no button
    // record lies after it: the order of presses stays, and a fast mouse
    // does not fill the buffer.
    void Add(std::uint32_t offset, std::uint32_t data, std::uint32_t time, bool mergeable);
    // Moves up to count records out, oldest first; returns how many.
    std::uint32_t Take(DIDEVICEOBJECTDATA* records, std::uint32_t count);

    bool HasOverflowed() const { return overflowed; }
    std::size_t GetSize() const { return records.size(); }
    void Clear();

private:
    std::deque<DIDEVICEOBJECTDATA> records;
    std::uint32_t requested = 0;
    bool overflowed = false;
};

} // namespace dinput
