#pragma once

#include <string>

namespace corvellan::content
{

// Writes the bytes as the file at path, making its folders first. The file
// is replaced whole or not at all, so a reader never meets half a file from
// an interrupted run. False when any step failed.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

} // namespace corvellan::content
