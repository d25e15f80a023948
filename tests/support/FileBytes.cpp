#include "tests/support/FileBytes.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace corvellan::test
{

std::optional<std::string> ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path)
{
    auto text = ReadFileText(path);
    if (!text)
        return std::nullopt;
    return std::vector<std::uint8_t>(text->begin(), text->end());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::error_code error;
    auto parent = std::filesystem::path(path).parent_path();
    if (!parent.empty())
        std::filesystem::create_directories(parent, error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace corvellan::test
