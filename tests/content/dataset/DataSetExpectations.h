#pragma once

// What the data set must hold, written from the game's tables rather than
// from the generator, and where the tests find the built pack.

#include "engine/gui/GUIFontManager.h"
#include "tests/support/ModelServices.h"
#include "tests/support/TempFolder.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace corvellan::test
{

struct ExpectedTextFile
{
    std::string name;
    std::vector<std::string> keys;
};

struct ExpectedLevel
{
    std::string folder;
    std::uint32_t pieces;
};

struct ExpectedStage
{
    std::uint32_t gridSize;
    // The share of blocked pieces, in percent, give or take a piece.
    std::uint32_t blockedPercent;
    std::vector<ExpectedLevel> levels;
};

// The four stages and their fourteen levels, in list order.
const std::vector<ExpectedStage>& ExpectedStages();

struct ExpectedSound
{
    std::string group;
    std::string name;
    bool looping;
    // "wav" or "ogg".
    std::string extension;

    // As the game finds it: relative to the data folder.
    std::string FileName() const { return "audio\\" + group + "\\" + name + "." + extension; }
};

// Every sound the game registers: the GUI sounds, the music and the game sounds.
const std::vector<ExpectedSound>& ExpectedSounds();

// The seven language codes the game knows, English first.
const std::vector<std::string>& AllLanguageCodes();
// The languages whose texts the repository holds (content/texts/<code>).
std::vector<std::string> PresentLanguageCodes();
// The 30 text files and their keys.
const std::vector<ExpectedTextFile>& ExpectedTextFiles();
// The 28 files the game loads after "game_title" and "common".
std::vector<std::string> ScreenTextFiles();
// The entries of each group of game art (one file each).
std::vector<std::string> ExpectedGameObjectEntries();
std::vector<std::string> ExpectedMenuModelEntries();
std::vector<std::string> ExpectedScreenModelEntries();
std::vector<std::string> ExpectedBackgroundEntries();
// Every entry name of the pack for these languages.
std::vector<std::string> ExpectedPackEntries(const std::vector<std::string>& codes);
// Every character the fonts must hold (the space is spaced, not drawn).
std::u16string ExpectedCharacters();

// The built pack, and a copy of it as the only file of a root folder.
std::string BuiltPackPath();
void CopyPackInto(const TempFolder& root);

// The device-free services over a root that holds nothing but the built pack.
struct PackedServices : ModelServices
{
    PackedServices() : ModelServices(CopyPackInto) {}

    // The language's fonts list through the game's reader, into fonts.
    void LoadFonts(const std::string& code);

    OrvaneEngine::GUIFontManager fonts{&log, &files, &shaders, &models, cameras.defaultCamera};
    std::uint32_t fontCount = 0;
    std::uint32_t consoleFontId = 99;
};

// Every text file of the language, read by the text manager.
std::map<std::string, std::u16string> LanguageTexts(PackedServices& services, const std::string& code);

} // namespace corvellan::test
