#pragma once

#include "content/LanguageTextWriter.h"

#include <string>
#include <vector>

namespace corvellan::content
{

// One hand-written text source: content/texts/<code>/<name>.txt.
struct DataTextFile
{
    std::string name;  // the file name without ".txt"
    std::string path;  // where it was read, for messages
    std::vector<LanguageText> texts;
};

struct DataLanguage
{
    std::string code;
    std::vector<DataTextFile> files;  // by name
};

// Reads and checks the language text sources. Sources are UTF-8 without a
// byte-order mark, LF line ends, and nothing but "[KEY]" lines each followed
// by its text line, with blank lines between pairs. Every failure throws
// std::runtime_error whose text starts with the source file's path.
class DataTextSources
{
public:
    // Every language folder under textsFolder, English first, the others by
    // code. English must be there: it is the master every other language is
    // held to.
    static std::vector<DataLanguage> Read(const std::string& textsFolder);
    // One source file: its pairs, each text held to the rules the game's
    // text reader needs (no empty text, no "//", nothing that reads as a
    // key line, no control character, the basic plane only).
    static DataTextFile ReadFile(const std::string& path);

    // Each key in one file only; every language has English's files and, in
    // each, English's keys and no other, with English's placeholders; every
    // "_TEXT_SIZE" holds n of at least 1 and its file holds lines 0..n-1
    // and no more.
    static void Check(const std::vector<DataLanguage>& languages);
    // Every character of every text is one of the fonts' characters.
    static void CheckCoverage(const std::vector<DataLanguage>& languages, const std::u16string& characters);
};

} // namespace corvellan::content
