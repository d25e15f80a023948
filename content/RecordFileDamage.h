#pragma once

#include "content/VersionedFileWriter.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace corvellan::content
{

// Departures from a sound record file, for readers that must reject
// damaged ones: the header's, a count that does not match the records
// written, and a body cut short under a header that matches the cut file
// (so the reader meets the end of the bytes, not a size mismatch).
struct RecordFileDamage
{
    VersionedFileDamage header;
    std::optional<std::uint32_t> count;
    std::optional<std::size_t> keepBodyBytes;
};

// The body cut as the damage asks, in a file with the header for it.
std::string BuildRecordFile(std::string_view magic, std::uint32_t version, std::string body,
                            const RecordFileDamage& damage);

// A wide string as the data files hold it: u8 count of units with the
// terminating 0, then the units.
void AppendWideString(std::string& bytes, const std::u16string& text);

} // namespace corvellan::content
