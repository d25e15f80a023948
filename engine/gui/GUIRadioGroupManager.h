#pragma once

#include <map>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class GUIRadioButton;
class MessageManager;

// The named groups of radio buttons. Nothing joins a group: the toolkit
// offers no way to, so every group is empty.
class GUIRadioGroupManager
{
public:
    explicit GUIRadioGroupManager(MessageManager* log);
    virtual ~GUIRadioGroupManager();
    GUIRadioGroupManager(const GUIRadioGroupManager&) = delete;
    GUIRadioGroupManager& operator=(const GUIRadioGroupManager&) = delete;

    // Empties the list, then fills it with the group's members.
    void GetGroup(const std::string& name, std::vector<GUIRadioButton*>& members) const;

private:
    [[maybe_unused]] MessageManager* log;
    std::multimap<std::string, GUIRadioButton*> groups;
};

} // namespace OrvaneEngine
