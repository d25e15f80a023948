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

std::vector<std::string> TestGameJournal::After(std::size_t index) const
{
    if (index >= entries.size())
        return {};
    return {entries.begin() + static_cast<std::ptrdiff_t>(index), entries.end()};
}

std::string TestGameJournal::NameOf(const void* object) const
{
    if (object == nullptr)
        return "null";
    const auto found = names.find(object);
    return found != names.end() ? found->second : "?";
}

} // namespace corvellan::test
