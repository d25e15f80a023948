#pragma once

#include "content/DataTextSources.h"

#include <string>
#include <vector>

namespace corvellan::content
{

class DataStaging;

// The game's data set, made from the repository's content/ sources and the
// DejaVu faces. Every file is staged outside the build folder, the staged
// names are checked, and the staging tree is packed as "data\pack0.pak"
// with entry names that start with "data\". The same sources always make
// the same bytes: no clock, no host path and no random choice reaches them.
class DataSet
{
public:
    // sourceFolder is the content/ folder (texts under texts/<code>/, the
    // stages and levels in levels/stages.ini);
    // fontFolder holds the DejaVu TTF files.
    DataSet(std::string sourceFolder, std::string fontFolder);

    // Checks every source and writes the pack at packPath, replacing any
    // pack there only once the whole set is made. Throws std::runtime_error
    // naming the file and the reason on any failure; the pack is then left
    // as it was.
    void BuildPack(const std::string& packPath) const;

    // Copies real files of each format the data set holds into the fuzz
    // seed corpora, <folder>/<target>/: a few small ones, made without the
    // whole set (the sanitizer build runs this).
    void WriteSeedCorpus(const std::string& folder) const;

    // data\ui\texts\<code>\<name>.ini
    static std::string TextDataName(const std::string& code, const std::string& name);
    // Russian is UTF-16LE, the others UTF-8, each with its byte-order mark,
    // so both of the reader's decoders run on real data.
    static TextEncoding TextEncodingOf(const std::string& code);

private:
    std::vector<DataLanguage> ReadTexts() const;
    void StageTexts(DataStaging& staging, const std::vector<DataLanguage>& languages) const;
    void StageFonts(DataStaging& staging, const std::vector<DataLanguage>& languages) const;

    std::string sourceFolder;
    std::string fontFolder;
};

} // namespace corvellan::content
