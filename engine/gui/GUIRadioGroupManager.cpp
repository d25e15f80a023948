#include "engine/gui/GUIRadioGroupManager.h"

namespace OrvaneEngine
{

GUIRadioGroupManager::GUIRadioGroupManager(MessageManager* log_) : log(log_) {}

GUIRadioGroupManager::~GUIRadioGroupManager() = default;

void GUIRadioGroupManager::GetGroup(const std::string& name, std::vector<GUIRadioButton*>& members) const
{
    members.clear();
    const auto range = groups.equal_range(name);
    for (auto it = range.first; it != range.second; ++it)
        members.push_back(it->second);
}

} // namespace OrvaneEngine
