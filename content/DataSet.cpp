#include "content/DataSet.h"

#include "content/DataBackground.h"
#include "content/DataFonts.h"
#include "content/DataGameObjects.h"
#include "content/DataLevels.h"
#include "content/DataMenuModels.h"
#include "content/DataScreenModels.h"
#include "content/DataSounds.h"
#include "content/DataStaging.h"
#include "content/FontFileWriter.h"
#include "content/FuzzSeeds.h"
#include "content/PackWriter.h"
#include "engine/render/Image.h"

#include <filesystem>
#include <map>
#include <stdexcept>

namespace corvellan::content
{

namespace
{

std::string FontDataName(const std::string& name, const char* extension)
{
    return "data\\ui\\fonts\\" + name + extension;
}

void Seed(const std::string& folder, const std::string& target, const std::string& name, const std::string& bytes)
{
    if (!WriteSeed(folder, target, name, bytes))
        throw std::runtime_error(folder + "/" + target + "/" + name + ": cannot write the seed");
}

} // namespace

DataSet::DataSet(std::string sourceFolderIn, std::string fontFolderIn)
    : sourceFolder(std::move(sourceFolderIn)), fontFolder(std::move(fontFolderIn))
{
}

std::string DataSet::TextDataName(const std::string& code, const std::string& name)
{
    return "data\\ui\\texts\\" + code + "\\" + name + ".ini";
}

TextEncoding DataSet::TextEncodingOf(const std::string& code)
{
    TextEncoding encoding;
    encoding.form = code == "ru" ? TextEncoding::Form::Utf16LittleEndian : TextEncoding::Form::Utf8;
    return encoding;
}

std::vector<DataLanguage> DataSet::ReadTexts() const
{
    std::vector<DataLanguage> languages = DataTextSources::Read(sourceFolder + "/texts");
    DataTextSources::Check(languages);
    DataTextSources::CheckCoverage(languages, DataFonts::CharacterSet());
    return languages;
}

void DataSet::StageTexts(DataStaging& staging, const std::vector<DataLanguage>& languages) const
{
    for (const DataLanguage& language : languages)
    {
        for (const DataTextFile& file : language.files)
        {
            staging.Write(TextDataName(language.code, file.name),
                          LanguageTextWriter::Encode(LanguageTextWriter::Lines(file.texts),
                                                     TextEncodingOf(language.code)));
        }
    }
}

void DataSet::StageFonts(DataStaging& staging, const std::vector<DataLanguage>& languages) const
{
    std::map<std::string, float> spaceRatios;
    std::map<std::string, FontRaster> rasters;
    for (const DataFontFace& face : DataFonts::Faces())
    {
        FontRaster raster = DataFonts::Make(face, fontFolder);
        staging.Write(FontDataName(face.name, ".fnt"), FontFileWriter::Build(raster.glyphs));
        staging.Write(FontDataName(face.name, ".tga"), FontRasterizer::AtlasTga(*raster.atlas, true));
        spaceRatios[face.name] = DataFonts::SpaceRatio(face, fontFolder);
        rasters.emplace(face.name, std::move(raster));
    }
    for (const DataFontTint& tint : DataFonts::Tints())
    {
        const auto tinted = DataFonts::Tinted(*rasters.at(tint.face).atlas, tint);
        staging.Write(FontDataName(tint.name, ".tga"), FontRasterizer::AtlasTga(*tinted, true));
    }
    // A language with a fonts list is one the player can choose, so only
    // languages with texts get one.
    const std::string list = DataFonts::ListFile(spaceRatios);
    for (const DataLanguage& language : languages)
        staging.Write(FontDataName(language.code, ".ini"), list);
}

void DataSet::BuildPack(const std::string& packPath) const
{
    const std::vector<DataLanguage> languages = ReadTexts();
    DataLevels::Load(sourceFolder);
    DataStaging staging;
    StageTexts(staging, languages);
    StageFonts(staging, languages);
    DataLevels::Stage(staging);
    DataSounds::Stage(staging);
    DataGameObjects::Stage(staging);
    DataMenuModels::Stage(staging);
    DataScreenModels::Stage(staging);
    DataBackground::Stage(staging, languages, fontFolder);
    staging.CheckNames();

    PackWriter pack;
    pack.AddFolder(staging.Path());
    std::error_code error;
    const std::filesystem::path parent = std::filesystem::path(packPath).parent_path();
    if (!parent.empty())
        std::filesystem::create_directories(parent, error);
    if (!pack.WriteTo(packPath))
        throw std::runtime_error(packPath + ": cannot write the pack");
}

void DataSet::WriteSeedCorpus(const std::string& folder) const
{
    const std::vector<DataLanguage> languages = ReadTexts();
    DataLevels::Load(sourceFolder);
    DataStaging staging;
    // The smallest face stands for all four; every face's space goes into
    // the fonts list.
    const DataFontFace& mono = DataFonts::Faces().back();
    FontRaster raster = DataFonts::Make(mono, fontFolder);
    Seed(folder, "font_file", "data_mono.fnt", FontFileWriter::Build(raster.glyphs));
    Seed(folder, "image_tga", "data_mono.tga", FontRasterizer::AtlasTga(*raster.atlas, true));

    std::map<std::string, float> spaceRatios;
    for (const DataFontFace& face : DataFonts::Faces())
        spaceRatios[face.name] = DataFonts::SpaceRatio(face, fontFolder);
    const std::string list = DataFonts::ListFile(spaceRatios);
    Seed(folder, "fonts_list", "data_en.ini", list);
    staging.Write(FontDataName("en", ".ini"), list);

    // One file in each encoding: the master, and the UTF-16 one when present.
    for (const DataLanguage& language : languages)
    {
        if (language.code != "en" && language.code != "ru")
            continue;
        for (const DataTextFile& file : language.files)
        {
            if (file.name != "common")
                continue;
            const std::string bytes = LanguageTextWriter::Encode(LanguageTextWriter::Lines(file.texts),
                                                                 TextEncodingOf(language.code));
            Seed(folder, "text_file", "data_" + language.code + "_common.ini", bytes);
            staging.Write(TextDataName(language.code, file.name), bytes);
        }
    }

    // The first stage's lists and its first, smallest puzzle.
    const std::vector<LevelListStage> lists = DataLevels::LevelLists();
    Seed(folder, "level_lists", "data_stages_info.ini", LevelListWriter::BuildStages(lists));
    Seed(folder, "level_lists", "data_stage0.ini", LevelListWriter::BuildStage(lists.front()));
    const DataStage& stage = DataLevels::Stages().front();
    const DataLevel& level = stage.levels.front();
    const std::map<std::string, std::string> targets = {{"theme.jpg", "image_jpeg"}, {"puzzle.pzf", "puzzle_file"}};
    for (const auto& [name, bytes] : DataLevels::MakePuzzle(stage, level, 1))
    {
        const auto target = targets.find(name);
        if (target != targets.end())
            Seed(folder, target->second, "data_" + level.folder + "_" + name, bytes);
    }

    // A short effect and the jingle; the music is too long for a seed.
    for (const DataSound& sound : DataSounds::Sounds())
    {
        const std::string name = sound.name;
        if (name == "button_click" || name == "upgrade")
            Seed(folder, sound.ogg ? "sound_ogg" : "sound_wav", "data_" + name + (sound.ogg ? ".ogg" : ".wav"),
                 DataSounds::Make(sound));
    }

    DataGameObjects::WriteSeeds(folder);
    DataMenuModels::WriteSeeds(folder);
    DataScreenModels::WriteSeeds(folder);
    DataBackground::WriteSeeds(folder);

    staging.CheckNames();
    PackWriter pack;
    pack.AddFolder(staging.Path());
    Seed(folder, "pack_file", "data_pack.pak", pack.Build());
}

} // namespace corvellan::content
