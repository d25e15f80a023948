#include "engine/gui/GUITextManager.h"

#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/core/StringFunctions.h"

#include <memory>

namespace OrvaneEngine
{

namespace
{

bool IsKeyLine(const std::string& line)
{
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// Appends the number in decimal without building a string of its own.
void AppendDecimal(std::string& text, std::int32_t number)
{
    char digits[12];
    std::size_t count = 0;
    std::uint32_t magnitude =
        number < 0 ? 0u - static_cast<std::uint32_t>(number) : static_cast<std::uint32_t>(number);
    do
    {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (number < 0)
        text.push_back('-');
    while (count > 0)
        text.push_back(digits[--count]);
}

} // namespace

GUITextManager::GUITextManager(MessageManager* log_, FileManager* files_) : log(log_), files(files_) {}

GUITextManager::~GUITextManager() = default;

void GUITextManager::LoadTexts(const std::string& fileName)
{
    try
    {
        const std::unique_ptr<FileTextual> file =
            files->OpenTextual(MakeDataPath(fileName), false, FileTextual::EncodingAnsi);
        std::string line;
        std::u16string text;
        while (file->ReadString(line, true, false))
        {
            Trim(line);
            if (!IsKeyLine(line))
                continue;
            const std::string key = line.substr(1, line.size() - 2);
            // The text is the next line that keeps anything once its comment
            // is gone; a key that reaches the end of the file has none.
            bool found = false;
            while (file->ReadWideString(text, true, false))
            {
                if (!text.empty())
                {
                    found = true;
                    break;
                }
            }
            if (found)
                SetText(key, text);
        }
    }
    catch (const FileError& error)
    {
        if (log != nullptr)
            log->Error(error.GetText());
    }
}

const std::u16string& GUITextManager::GetText(const std::string& key, std::int32_t number) const
{
    static const std::u16string unknown = u"UNKNOWN";
    lookUpKey.assign(key);
    StringToUpper(lookUpKey);
    if (number != -1)
        AppendDecimal(lookUpKey, number);
    const auto found = texts.find(lookUpKey);
    return found == texts.end() ? unknown : found->second;
}

void GUITextManager::SetText(const std::string& key, const std::u16string& text) { texts[ToUpper(key)] = text; }

} // namespace OrvaneEngine
