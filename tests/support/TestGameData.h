#pragma once

#include <string>

namespace corvellan::test
{

// The data the test game starts on, written below a root folder: the English
// fonts list with two box fonts (their "OVFNT" files and one TGA atlas), and
// the language texts "game_title" and "common" (UTF-8 with a byte-order mark).
class TestGameData
{
public:
    // The title the window takes from "game_title": not ASCII, so the
    // caption's conversion shows.
    static constexpr const char16_t* GameTitle = u"Corvellan \u00C9dition";

    // False when a file could not be written.
    static bool Write(const std::string& root);
    // The fonts list alone, as given.
    static bool WriteFontsList(const std::string& root, const std::string& text);
};

} // namespace corvellan::test
