#pragma once

#include <string>
#include <vector>

namespace corvellan::test
{

// What the test game's doubles did, in order: "make <name>" when a factory
// made one, "delete <name>" when it was destroyed, "show <name>" per Show.
class TestGameJournal
{
public:
    void Add(const std::string& entry) { entries.push_back(entry); }
    // The entries that start with prefix, without it, in order.
    std::vector<std::string> With(const std::string& prefix) const;
    std::size_t Count(const std::string& entry) const;

    std::vector<std::string> entries;
};

} // namespace corvellan::test
