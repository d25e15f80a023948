#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace corvellan::test
{

TempFolder::TempFolder(const std::string& prefix)
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/" + prefix + "-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        throw std::runtime_error("mkdtemp failed for " + pattern);
    path = buffer.data();
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string TempFolder::Join(const std::string& relative) const
{
    return path + "/" + relative;
}

} // namespace corvellan::test
