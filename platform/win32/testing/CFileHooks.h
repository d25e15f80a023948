#pragma once

#include "platform/win32/HookTable.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace win32::testing
{

using FileCall = detail::FileCall;

// The nth call of that kind from now on (1: the next one) fails: a read or
// write moves nothing, the others report failure (a failed close still
// releases the stream). When pathPart is not empty only calls on a stream
// (for rename: a source) whose resolved path contains it are counted.
void FailFileCall(FileCall call, std::uint32_t nth, const std::string& pathPart = "");
// The nth read or write from now on moves at most keep bytes.
void ShortenFileCall(FileCall call, std::uint32_t nth, std::size_t keep, const std::string& pathPart = "");

// Streams opened successfully since the last reset.
std::uint32_t GetFileOpenCount();
// Streams open right now.
std::uint32_t GetOpenStreamCount();

// Disarms every failure and restarts the open count.
void ResetFileHooks();

} // namespace win32::testing
