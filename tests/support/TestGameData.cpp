#include "tests/support/TestGameData.h"

#include "content/BoxFont.h"
#include "content/FontsListWriter.h"
#include "content/LanguageTextWriter.h"
#include "content/LevelListWriter.h"
#include "tests/support/FileBytes.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace corvellan::test
{

bool TestGameData::Write(const std::string& root)
{
    using namespace corvellan::content;
    const std::string fonts = root + "/data/ui/fonts";
    const std::vector<BoxGlyph> capitals = {{u'A', 0.5f}, {u'B', 0.75f}, {u' ', 0.25f}};
    const std::vector<BoxGlyph> digits = {{u'0', 0.5f}, {u'1', 0.5f}};
    if (!BoxFont::Write(fonts, "capitals.fnt", "atlas.tga", capitals) ||
        !BoxFont::Write(fonts, "digits.fnt", "", digits))
        return false;

    FontsListEntry first;
    first.file = "ui\\fonts\\capitals.fnt";
    first.diffuse = "ui\\fonts\\atlas.tga";
    first.opacity = "32bit";
    first.glyphHeight = 24.0f;
    first.spaceRatio = 0.4f;
    first.advanceFactor = 1.1f;
    first.addLowerCase = true;
    FontsListEntry second = first;
    second.file = "ui\\fonts\\digits.fnt";
    second.glyphHeight = 16.0f;
    second.spaceRatio = 0.3f;
    second.advanceFactor = 0.9f;
    second.addLowerCase = false;
    second.fixedPitch = true;
    if (!FontsListWriter::WriteTo(fonts + "/en.ini", 1, {first, second}) ||
        !LevelListWriter::WriteTo(root + "/data/levels", LevelListWriter::TwoStages()))
        return false;

    const TextEncoding utf8{TextEncoding::Form::Utf8, 1252};
    const std::string texts = root + "/data/ui/texts/en";
    std::error_code error;
    std::filesystem::create_directories(texts, error);
    return LanguageTextWriter::WriteTo(texts + "/game_title.ini",
                                       LanguageTextWriter::Lines({{u"GAME_TITLE", GameTitle}}), utf8) &&
           LanguageTextWriter::WriteTo(texts + "/common.ini",
                                       LanguageTextWriter::Lines({{u"OK", u"OK"}, {u"CANCEL", u"Cancel"}}), utf8);
}

bool TestGameData::WriteFontsList(const std::string& root, const std::string& text)
{
    return WriteFileBytes(root + "/data/ui/fonts/en.ini", text);
}

} // namespace corvellan::test
