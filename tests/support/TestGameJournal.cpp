#include "tests/support/TestGameJournal.h"

#include <algorithm>

namespace corvellan::test
{

std::vector<std::string> TestGameJournal::With(const std::string& prefix) const
{
    std::vector<std::string> out;
    for (const std::string& entry : entries)
    {
        if (entry.rfind(prefix, 0) == 0)
            out.push_back(entry.substr(prefix.size()));
    }
    return out;
}

std::size_t TestGameJournal::Count(const std::string& entry) const
{
    return static_cast<std::size_t>(std::count(entries.begin(), entries.end(), entry));
}

} // namespace corvellan::test
