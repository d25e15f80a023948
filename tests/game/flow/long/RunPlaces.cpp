#include "tests/game/flow/long/RunPlaces.h"

#include "content/DataLevels.h"
#include "content/LevelListWriter.h"
#include "content/MapFileWriter.h"
#include "tests/support/FileBytes.h"

#include <filesystem>

namespace corvellan::test
{

std::string RunPlaces::BuildFolder()
{
    return std::filesystem::path(CORVELLAN_DATA_PACK).parent_path().parent_path().string();
}

bool RunPlaces::UseBuildFolder(const TestGameFolders& folders, const std::string& language)
{
    return folders.WriteUserRegistry("InstallPath=" + BuildFolder() + "\n" +
                                     (language.empty() ? "" : "Language=" + language + "\n"));
}

bool RunPlaces::UseTwoShortStages(const TestGameFolders& folders)
{
    std::error_code error;
    std::filesystem::create_directories(folders.program.Join("data"), error);
    std::filesystem::create_symlink(CORVELLAN_DATA_PACK, folders.program.Join("data/pack0.pak"), error);
    if (error)
        return false;
    content::DataLevels::Load(CORVELLAN_CONTENT_SOURCE);
    std::vector<content::LevelListStage> stages = content::DataLevels::LevelLists();
    if (stages.size() < 2)
        return false;
    stages.resize(2);
    for (content::LevelListStage& stage : stages)
        stage.levels.resize(1);
    using content::MapFileWriter;
    return content::LevelListWriter::WriteTo(folders.program.Join("data/levels"), stages) &&
           MapFileWriter::WriteTo(folders.program.Join("data/ui/menus/map/map.gmf"),
                                  {MapFileWriter::At(0, 250.0f, 250.0f, 20.0f),
                                   MapFileWriter::At(2, 450.0f, 350.0f, 20.0f)});
}

std::optional<std::string> RunPlaces::UserFile(const TestGameFolders& folders, const std::string& ending)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folders.UserFolder(), error))
    {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.size() >= ending.size() &&
            name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
            return ReadFileText(entry.path().string());
    }
    return std::nullopt;
}

std::string RunPlaces::Utf8(const std::u16string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        std::uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c < 0x800)
            out += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
        else if (c < 0x10000)
            out += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (c & 0x3F))};
        else
            out += {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
                    static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    }
    return out;
}

std::string RunPlaces::Utf16Bytes(const std::u16string& text)
{
    std::string bytes;
    for (const char16_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

} // namespace corvellan::test
