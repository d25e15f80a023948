#pragma once
// Where the whole-game runs find the built data set and what the game wrote.

#include "tests/support/TestGameFolders.h"

#include <optional>
#include <string>

namespace corvellan::test
{

class RunPlaces
{
public:
    // The build folder, whose data\pack0.pak the registry's install path
    // leads the game to.
    static std::string BuildFolder();
    // The registry lines that lead the game there, in the given language
    // (none: the game's own choice).
    static bool UseBuildFolder(const TestGameFolders& folders, const std::string& language = "");
    // The program's folder made the root: data\pack0.pak a link to the built
    // pack, beside loose level lists and a stage map of two stages of one
    // level each (the first level of the pack's first two stages), which
    // take precedence over the pack's, so a whole game is short.
    static bool UseTwoShortStages(const TestGameFolders& folders);
    // The bytes of the first file under the game's per-user folder whose
    // name ends in `ending`; none when there is none.
    static std::optional<std::string> UserFile(const TestGameFolders& folders, const std::string& ending);
    static std::string Utf8(const std::u16string& text);
    // UTF-16 units as the game's files store them.
    static std::string Utf16Bytes(const std::u16string& text);
};

} // namespace corvellan::test
