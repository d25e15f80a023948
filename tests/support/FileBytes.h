#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvellan::test
{

// The whole file as bytes, or nothing when it cannot be read.
std::optional<std::string> ReadFileText(const std::string& path);
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path);
// Writes the bytes, making the folders on the way; false on failure.
bool WriteFileBytes(const std::string& path, const std::string& bytes);

} // namespace corvellan::test
