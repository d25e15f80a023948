#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace win32
{

// The operating system's form of one of our path texts: every '\' becomes '/'.
std::string ToSystemPath(const std::string& path);

// The C runtime's stream calls over our path texts, each resolved at the call
// (see ResolvePath). The mode is the runtime's ("rb", "wb", "wt", "at" ...);
// text and binary mode are the same here. A mode that reads refuses anything
// but a regular file: Linux would open a folder, and a device may never end.
// Null when the file cannot be opened.
std::FILE* fopen(const std::string& path, const char* mode);
// Reads a whole file of at most limit bytes in one go: open, size, one read
// and close, as fopen, fread and fclose would do it (and counted by the same
// test hooks), without a stream. 1: read, with got the bytes read (fewer than
// size when the file shrank); 0: larger than limit, nothing read; -1: the
// file cannot be opened or is no regular file.
int ReadWholeFile(const std::string& path, std::uint64_t limit, std::unique_ptr<std::uint8_t[]>& bytes,
                  std::uint64_t& size, std::uint64_t& got);
std::size_t fread(void* buffer, std::size_t size, std::size_t count, std::FILE* file);
std::size_t fwrite(const void* data, std::size_t size, std::size_t count, std::FILE* file);
// 64-bit offsets; origin as SEEK_SET, SEEK_CUR, SEEK_END. 0 on success.
int fseek(std::FILE* file, std::int64_t offset, int origin);
// -1 on failure.
std::int64_t ftell(std::FILE* file);
// EOF on failure.
int fflush(std::FILE* file);
// Waits until what was flushed is on the disk; 0 on success.
int fsync(std::FILE* file);
// Flushes and closes; the stream is released even when that fails (EOF).
// A null stream is refused with EOF.
int fclose(std::FILE* file);
// Moves a file, replacing an existing target; 0 on success.
int rename(const std::string& from, const std::string& to);
// Deletes a file or an empty folder; 0 on success.
int remove(const std::string& path);

} // namespace win32
