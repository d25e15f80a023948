#include "content/DataTextSources.h"

#include "platform/win32/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>

namespace corvellan::content
{

namespace
{

constexpr const char* MasterCode = "en";
constexpr const char* SizeSuffix = "_TEXT_SIZE";

[[noreturn]] void Fail(const std::string& path, const std::string& reason)
{
    throw std::runtime_error(path + ": " + reason);
}

std::string Hex(char32_t point)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(point));
    return text;
}

std::u16string Decode(const std::string& line, const std::string& where)
{
    std::u16string result;
    for (const char32_t point : win32::detail::DecodeUtf8(line))
    {
        // The text reader decodes at most three bytes per character.
        if (point > 0xFFFF)
            Fail(where, "character " + Hex(point) + " lies beyond the basic plane");
        result.push_back(static_cast<char16_t>(point));
    }
    // The decoder skips what is not well-formed: encoded again, such text
    // differs from the source.
    TextEncoding utf8;
    utf8.form = TextEncoding::Form::Utf8;
    if (LanguageTextWriter::Encode({result}, utf8) != "\xEF\xBB\xBF" + line + "\r\n")
        Fail(where, "the text is not well-formed UTF-8");
    return result;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u00A0'; }

std::u16string Trimmed(const std::u16string& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// What the game's reader takes for a key line: after trimming, '[' ... ']'.
bool ReadsAsKeyLine(const std::u16string& line)
{
    const std::u16string trimmed = Trimmed(line);
    return trimmed.size() >= 2 && trimmed.front() == u'[' && trimmed.back() == u']';
}

bool IsKeyName(const std::u16string& key)
{
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char16_t c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
    });
}

std::string Narrow(const std::u16string& ascii) { return std::string(ascii.begin(), ascii.end()); }

void CheckText(const std::u16string& text, const std::string& where)
{
    if (Trimmed(text).empty())
        Fail(where, "empty text");
    if (text.find(u"//") != std::u16string::npos)
        Fail(where, "the text holds \"//\", which the reader cuts off as a comment");
    if (ReadsAsKeyLine(text))
        Fail(where, "the text reads as a key line");
    for (const char16_t c : text)
    {
        if (c < 0x20 || c == 0x7F)
            Fail(where, "the text holds control character " + Hex(c));
    }
}

// The "%NAME%" placeholders of a text, which the screens replace.
std::multiset<std::u16string> Placeholders(const std::u16string& text)
{
    std::multiset<std::u16string> found;
    std::size_t at = 0;
    while ((at = text.find(u'%', at)) != std::u16string::npos)
    {
        const std::size_t end = text.find(u'%', at + 1);
        if (end == std::u16string::npos)
            break;
        const std::u16string name = text.substr(at + 1, end - at - 1);
        if (IsKeyName(name))
        {
            found.insert(name);
            at = end + 1;
        }
        else
            at = end;
    }
    return found;
}

std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Fail(path, "cannot be read");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

void CheckSizes(const DataTextFile& file)
{
    std::set<std::string> keys;
    for (const LanguageText& text : file.texts)
        keys.insert(Narrow(text.first));
    for (const LanguageText& text : file.texts)
    {
        const std::string key = Narrow(text.first);
        if (!EndsWith(key, SizeSuffix))
            continue;
        const std::u16string& value = text.second;
        const bool digits = !value.empty() && value.size() <= 4 &&
                            std::all_of(value.begin(), value.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
        const int count = digits ? std::stoi(Narrow(value)) : 0;
        if (count < 1)
            Fail(file.path, key + " must be a line count of at least 1, not \"" + Narrow(Trimmed(value)) + "\"");
        const std::string prefix = key.substr(0, key.size() - 4);  // "..._TEXT_"
        for (int line = 0; line < count; ++line)
        {
            if (keys.count(prefix + std::to_string(line)) == 0)
                Fail(file.path, key + " is " + std::to_string(count) + " but " + prefix + std::to_string(line) +
                                    " is missing");
        }
        if (keys.count(prefix + std::to_string(count)) != 0)
            Fail(file.path, key + " is " + std::to_string(count) + " but the file holds " + prefix +
                                std::to_string(count) + " as well");
    }
}

} // namespace

DataTextFile DataTextSources::ReadFile(const std::string& path)
{
    DataTextFile file;
    file.path = path;
    file.name = std::filesystem::path(path).stem().string();
    const std::string bytes = ReadWhole(path);
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        Fail(path, "starts with a byte-order mark; sources are plain UTF-8");
    if (bytes.find('\r') != std::string::npos)
        Fail(path, "holds a CR; sources have LF line ends");

    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size())
    {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }

    std::set<std::u16string> keys;
    for (std::size_t index = 0; index < lines.size(); ++index)
    {
        const std::string where = path + ":" + std::to_string(index + 1);
        const std::u16string line = Decode(lines[index], where);
        if (Trimmed(line).empty())
            continue;
        if (line.size() < 3 || line.front() != u'[' || line.back() != u']' ||
            !IsKeyName(line.substr(1, line.size() - 2)))
            Fail(where, "expected a \"[KEY]\" line of capitals, digits and '_'");
        const std::u16string key = line.substr(1, line.size() - 2);
        if (!keys.insert(key).second)
            Fail(where, "key " + Narrow(key) + " appears twice");
        if (index + 1 >= lines.size())
            Fail(where, "key " + Narrow(key) + " has no text line");
        const std::string textWhere = path + ":" + std::to_string(index + 2);
        const std::u16string text = Decode(lines[++index], textWhere);
        CheckText(text, textWhere + " (" + Narrow(key) + ")");
        file.texts.emplace_back(key, text);
    }
    if (file.texts.empty())
        Fail(path, "holds no text");
    return file;
}

std::vector<DataLanguage> DataTextSources::Read(const std::string& textsFolder)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::is_directory(textsFolder, error))
        Fail(textsFolder, "is not a folder of language texts");
    std::vector<fs::path> folders;
    for (const auto& item : fs::directory_iterator(textsFolder))
    {
        // A note on the texts may lie beside the language folders.
        if (item.is_directory())
            folders.push_back(item.path());
    }
    std::sort(folders.begin(), folders.end(), [](const fs::path& a, const fs::path& b) {
        const bool aMaster = a.filename() == MasterCode;
        const bool bMaster = b.filename() == MasterCode;
        return aMaster != bMaster ? aMaster : a.filename().string() < b.filename().string();
    });
    if (folders.empty() || folders.front().filename() != MasterCode)
        Fail(textsFolder, std::string("holds no \"") + MasterCode + "\" folder; English is the master");

    std::vector<DataLanguage> languages;
    for (const fs::path& folder : folders)
    {
        DataLanguage language;
        language.code = folder.filename().string();
        std::vector<fs::path> sources;
        for (const auto& item : fs::directory_iterator(folder))
        {
            if (!item.is_regular_file() || item.path().extension() != ".txt")
                Fail(item.path().string(), "is not a \".txt\" text source");
            sources.push_back(item.path());
        }
        std::sort(sources.begin(), sources.end());
        for (const fs::path& source : sources)
            language.files.push_back(ReadFile(source.string()));
        languages.push_back(std::move(language));
    }
    return languages;
}

void DataTextSources::Check(const std::vector<DataLanguage>& languages)
{
    if (languages.empty() || languages.front().code != MasterCode)
        throw std::runtime_error(std::string("no \"") + MasterCode + "\" texts to check the others against");
    const DataLanguage& master = languages.front();
    for (const DataLanguage& language : languages)
    {
        std::map<std::u16string, const DataTextFile*> owner;
        for (const DataTextFile& file : language.files)
        {
            for (const LanguageText& text : file.texts)
            {
                const auto [found, added] = owner.emplace(text.first, &file);
                if (!added)
                    Fail(file.path, "key " + Narrow(text.first) + " is in " + found->second->path + " too");
            }
            CheckSizes(file);
        }
        if (&language == &master)
            continue;
        for (const DataTextFile& masterFile : master.files)
        {
            const auto file = std::find_if(language.files.begin(), language.files.end(),
                                           [&](const DataTextFile& f) { return f.name == masterFile.name; });
            if (file == language.files.end())
                Fail(masterFile.path, "has no " + language.code + " translation (" + language.code + "/" +
                                          masterFile.name + ".txt)");
            for (const LanguageText& text : masterFile.texts)
            {
                const auto translated =
                    std::find_if(file->texts.begin(), file->texts.end(),
                                 [&](const LanguageText& t) { return t.first == text.first; });
                if (translated == file->texts.end())
                    Fail(file->path, "key " + Narrow(text.first) + " of " + masterFile.path + " is missing");
                if (Placeholders(translated->second) != Placeholders(text.second))
                    Fail(file->path, "key " + Narrow(text.first) + " does not keep the placeholders of " +
                                         masterFile.path);
            }
            for (const LanguageText& text : file->texts)
            {
                const bool inMaster =
                    std::any_of(masterFile.texts.begin(), masterFile.texts.end(),
                                [&](const LanguageText& t) { return t.first == text.first; });
                if (!inMaster)
                    Fail(file->path, "key " + Narrow(text.first) + " is not in " + masterFile.path);
            }
        }
        for (const DataTextFile& file : language.files)
        {
            const bool inMaster = std::any_of(master.files.begin(), master.files.end(),
                                              [&](const DataTextFile& f) { return f.name == file.name; });
            if (!inMaster)
                Fail(file.path, std::string("has no ") + MasterCode + " original");
        }
    }
}

void DataTextSources::CheckCoverage(const std::vector<DataLanguage>& languages, const std::u16string& characters)
{
    const std::set<char16_t> covered(characters.begin(), characters.end());
    for (const DataLanguage& language : languages)
    {
        for (const DataTextFile& file : language.files)
        {
            for (const LanguageText& text : file.texts)
            {
                for (const char16_t c : text.second)
                {
                    if (covered.count(c) == 0)
                        Fail(file.path, "key " + Narrow(text.first) + ": the fonts have no glyph for " + Hex(c));
                }
            }
        }
    }
}

} // namespace corvellan::content
