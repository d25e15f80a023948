#include "engine/gui/GUITextManager.h"

// Placeholder bodies; the text file reader replaces them.
namespace OrvaneEngine
{

GUITextManager::GUITextManager(MessageManager* log_, FileManager* files_) : log(log_), files(files_) {}
GUITextManager::~GUITextManager() = default;
void GUITextManager::LoadTexts(const std::string&) {}

const std::u16string& GUITextManager::GetText(const std::string&, std::int32_t) const
{
    static const std::u16string unknown = u"UNKNOWN";
    return unknown;
}

void GUITextManager::SetText(const std::string& key, const std::u16string& text) { texts[key] = text; }

} // namespace OrvaneEngine
