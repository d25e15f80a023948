#pragma once

#include "platform/dsound/Types.h"

#include <cstdint>
#include <vector>

namespace dsound
{

// The calls a buffer's journal records (see testing/DirectSoundHooks.h).
enum class JournalCall
{
    Create,             // first: creation flags, second: size in bytes
    Duplicate,          // as Create, for a buffer made by DuplicateSoundBuffer
    Lock,               // first: offset, second: bytes
    Play,               // first: play flags
    Stop,
    SetCurrentPosition, // first: byte offset
    SetVolume,          // first: attenuation
    SetFrequency,       // first: frequency as asked
};

struct JournalEntry
{
    JournalCall call;
    std::int64_t first = 0;
    std::int64_t second = 0;
    HRESULT result = DS_OK;

    friend bool operator==(const JournalEntry&, const JournalEntry&) = default;
};

// A buffer's record of its calls, kept only while the test hooks switch
// journals on, so a long game never grows one.
class Journal
{
public:
    void Record(JournalCall call, std::int64_t first, std::int64_t second, HRESULT result);
    const std::vector<JournalEntry>& Entries() const { return entries; }
    void Clear() { entries.clear(); }

private:
    std::vector<JournalEntry> entries;
};

} // namespace dsound
