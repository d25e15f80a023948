#pragma once

#include <string>

// The path texts of the program: '\' between the levels, absolute when they
// start with '/'.
namespace OrvaneEngine
{

bool IsAbsolutePath(const std::string& path);
// The name under the program's folder unless it is absolute.
std::string MakeExecutablePath(const std::string& name);
// "data\" + name unless the name is absolute.
std::string MakeDataPath(const std::string& name);
// The text before the last '\'; empty when there is none.
std::string GetDirectoryPart(const std::string& path);
// The text after the last '.' anywhere in the path; empty when there is none.
std::string GetExtension(const std::string& path);
// Replaces the text after the last '.', removes it with the '.' when the
// extension is empty, or appends "." + extension when the path has no '.'.
void ChangeExtension(std::string& path, const std::string& extension);
bool HasExtension(const std::string& path, const std::string& extension);
// The user's application-data folder, created when missing; empty when
// there is none.
std::string GetAppDataFolder();

} // namespace OrvaneEngine
