#pragma once

#include <cstdint>
#include <string>

namespace corvellan::content
{

// Writes the menu background's title list "title_<language>.ini": the number
// of title models, which are "title_<language>_<k>.mlf" beside it.
class TitleListWriter
{
public:
    // Any count, so that damaged lists can be made too.
    static std::string Build(std::int64_t count);
    // Writes the file at path whole or not at all; false when it could not be written.
    static bool WriteTo(const std::string& path, std::int64_t count);
};

} // namespace corvellan::content
