#include "content/DataLevelSource.h"

#include "content/DataPictures.h"

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace corvellan::content
{

namespace
{

constexpr std::pair<const char*, PictureFamily> FamilyNames[] = {
    {"landscape", PictureFamily::Landscape}, {"stained_glass", PictureFamily::StainedGlass},
    {"mandala", PictureFamily::Mandala},     {"skyline", PictureFamily::Skyline},
    {"patchwork", PictureFamily::Patchwork}, {"star_field", PictureFamily::StarField},
};

// The game refuses a mini game grid wider than this.
constexpr std::uint32_t LargestGrid = 16;

struct StageLines
{
    std::size_t header = 0;
    std::size_t levelsLine = 0;
    std::optional<std::uint32_t> grid;
    std::optional<std::uint32_t> blocked;
    std::optional<std::uint32_t> levels;
};

class Reader
{
public:
    explicit Reader(std::string pathIn) : path(std::move(pathIn)) {}

    std::vector<DataStage> Run(const std::string& text)
    {
        std::istringstream lines(text);
        std::string raw;
        while (std::getline(lines, raw))
        {
            ++line;
            Take(Trimmed(raw.substr(0, raw.find('#'))));
        }
        EndStage();
        if (!statedStages)
            Fail(0, "no \"stages\" line states the number of stages");
        if (stages.size() < *statedStages)
            Fail(stagesLine, "states " + std::to_string(*statedStages) + " stages but holds " +
                                 std::to_string(stages.size()));
        return std::move(stages);
    }

private:
    [[noreturn]] void Fail(std::size_t at, const std::string& reason) const
    {
        throw std::runtime_error(path + (at == 0 ? "" : ":" + std::to_string(at)) + ": " + reason);
    }

    static std::string Trimmed(const std::string& text)
    {
        const std::size_t first = text.find_first_not_of(" \t\r");
        if (first == std::string::npos)
            return {};
        return text.substr(first, text.find_last_not_of(" \t\r") + 1 - first);
    }

    std::uint32_t Number(const std::string& text, std::uint32_t least, std::uint32_t most, const std::string& what) const
    {
        // Nine digits cannot overflow, and no table value needs more.
        if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
            Fail(line, what + " \"" + text + "\" is not a number");
        const auto value = static_cast<std::uint32_t>(std::stoul(text));
        if (value < least || value > most)
            Fail(line, what + " " + text + " is not " + std::to_string(least) + " to " + std::to_string(most));
        return value;
    }

    void Take(const std::string& text)
    {
        if (text.empty())
            return;
        if (text == "[stage]")
        {
            EndStage();
            if (!statedStages)
                Fail(line, "a [stage] before the \"stages\" line");
            if (stages.size() == *statedStages)
                Fail(line, "a stage beyond the " + std::to_string(*statedStages) + " stated");
            stages.emplace_back();
            current = StageLines{};
            current->header = line;
            return;
        }
        const std::size_t equals = text.find('=');
        if (equals == std::string::npos)
            Fail(line, "\"" + text + "\" is neither \"[stage]\" nor \"key = value\"");
        const std::string key = Trimmed(text.substr(0, equals));
        const std::string value = Trimmed(text.substr(equals + 1));
        if (key == "stages")
        {
            if (statedStages || current)
                Fail(line, "\"stages\" comes once, before the first [stage]");
            statedStages = Number(value, 1, DataLevels::MostStages, "the number of stages");
            stagesLine = line;
            return;
        }
        if (!current)
            Fail(line, "\"" + key + "\" outside a [stage]");
        if (key == "grid")
            Once(current->grid, Number(value, 1, LargestGrid, "the grid size"), key);
        else if (key == "blocked")
            Once(current->blocked, Number(value, 0, 100, "the blocked share"), key);
        else if (key == "levels")
        {
            Once(current->levels, Number(value, 1, 99, "the number of levels"), key);
            current->levelsLine = line;
        }
        else if (key == "level")
            Level(value);
        else
            Fail(line, "unknown key \"" + key + "\"");
    }

    void Once(std::optional<std::uint32_t>& slot, std::uint32_t value, const std::string& key) const
    {
        if (slot)
            Fail(line, "a second \"" + key + "\" in the stage");
        slot = value;
    }

    void Level(const std::string& value)
    {
        if (!current->levels)
            Fail(line, "a level before the stage's \"levels\" line");
        std::vector<DataLevel>& levels = stages.back().levels;
        if (levels.size() == *current->levels)
            Fail(line, "a level beyond the " + std::to_string(*current->levels) + " the stage states");
        std::istringstream words(value);
        const std::vector<std::string> parts{std::istream_iterator<std::string>(words),
                                             std::istream_iterator<std::string>()};
        if (parts.size() != 4)
            Fail(line, "a level is \"<folder> <columns>x<rows> <family> <palette>\"");
        DataLevel level;
        level.folder = parts[0];
        if (level.folder.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789_") != std::string::npos)
            Fail(line, "the folder \"" + level.folder + "\" holds more than lower-case letters, digits and \"_\"");
        if (const auto other = folders.find(level.folder); other != folders.end())
            Fail(line, "the folder \"" + level.folder + "\" is line " + std::to_string(other->second) + "'s too");
        const std::size_t by = parts[1].find('x');
        if (by == std::string::npos)
            Fail(line, "the size \"" + parts[1] + "\" is not <columns>x<rows>");
        level.columns = Number(parts[1].substr(0, by), 1, DataLevels::MostPieces, "the columns");
        level.rows = Number(parts[1].substr(by + 1), 1, DataLevels::MostPieces, "the rows");
        if (level.Pieces() > DataLevels::MostPieces)
            Fail(line, std::to_string(level.Pieces()) + " pieces, more than " +
                           std::to_string(DataLevels::MostPieces));
        std::optional<PictureFamily> family;
        for (const auto& [name, named] : FamilyNames)
        {
            if (parts[2] == name)
                family = named;
        }
        if (!family)
            Fail(line, "unknown picture family \"" + parts[2] + "\"");
        level.family = *family;
        level.palette = Number(parts[3], 0, DataPictures::PaletteCount - 1, "the palette");
        const auto look = std::make_pair(level.family, level.palette);
        if (const auto other = looks.find(look); other != looks.end())
            Fail(line, "the family and palette of line " + std::to_string(other->second));
        folders.emplace(level.folder, line);
        looks.emplace(look, line);
        levels.push_back(std::move(level));
    }

    void EndStage()
    {
        if (!current)
            return;
        for (const auto& [slot, key] : {std::make_pair(current->grid, "grid"), std::make_pair(current->blocked, "blocked"),
                                        std::make_pair(current->levels, "levels")})
        {
            if (!slot)
                Fail(current->header, "the stage has no \"" + std::string(key) + "\" line");
        }
        DataStage& stage = stages.back();
        if (stage.levels.size() < *current->levels)
            Fail(current->levelsLine, "states " + std::to_string(*current->levels) + " levels but lists " +
                                          std::to_string(stage.levels.size()));
        stage.gridSize = *current->grid;
        stage.blockedPercent = *current->blocked;
        current.reset();
    }

    std::string path;
    std::size_t line = 0;
    std::optional<std::uint32_t> statedStages;
    std::size_t stagesLine = 0;
    std::vector<DataStage> stages;
    std::optional<StageLines> current;
    std::map<std::string, std::size_t> folders;
    std::map<std::pair<PictureFamily, std::uint32_t>, std::size_t> looks;
};

} // namespace

std::vector<DataStage> DataLevelSource::Read(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(path + ": cannot be read");
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad())
        throw std::runtime_error(path + ": cannot be read");
    return Parse(text, path);
}

std::vector<DataStage> DataLevelSource::Parse(const std::string& text, const std::string& path)
{
    return Reader(path).Run(text);
}

} // namespace corvellan::content
