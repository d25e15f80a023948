#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace OrvaneEngine
{

class FileManager;
class MessageManager;

// The language texts shown to the player, by key. Keys are kept upper-cased,
// so look-ups ignore case; a key loaded twice keeps the text loaded last.
class GUITextManager
{
public:
    GUITextManager(MessageManager* log, FileManager* files);
    virtual ~GUITextManager();
    GUITextManager(const GUITextManager&) = delete;
    GUITextManager& operator=(const GUITextManager&) = delete;

    // Reads one text file (data path of the name) into the table. A file
    // error is logged; the texts read before it stay.
    void LoadTexts(const std::string& fileName);
    // The text of the key, with the decimal number appended to the key
    // unless it is -1; "UNKNOWN" when the key has no text.
    const std::u16string& GetText(const std::string& key, std::int32_t number = -1) const;
    void SetText(const std::string& key, const std::u16string& text);

    const std::map<std::string, std::u16string>& GetTexts() const { return texts; }

private:
    MessageManager* log;
    FileManager* files;
    std::map<std::string, std::u16string> texts;
    // The upper-cased key of the last look-up; kept so that a look-up
    // allocates nothing once the key fits. Look-ups run on the main thread.
    mutable std::string lookUpKey;
};

} // namespace OrvaneEngine
