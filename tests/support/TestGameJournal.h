#pragma once

#include <functional>
#include <map>
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
    // The entries from position index on.
    std::vector<std::string> After(std::size_t index) const;

    // What a Show argument that points at a keeper or a level reads as.
    void Name(const void* object, const std::string& objectName) { names[object] = objectName; }
    // "null" for null, "?" for an object never named.
    std::string NameOf(const void* object) const;

    std::vector<std::string> entries;
    // Screens and the level also journal "update <name>" while this is on.
    bool recordUpdates = false;
    // Called with a screen's name after its Show was journaled.
    std::function<void(const std::string&)> onShow;

private:
    std::map<const void*, std::string> names;
};

} // namespace corvellan::test
