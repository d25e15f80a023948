// The text reader on hostile bytes: the input is read in every mode (words and
// lines, narrow and wide, with and without comments), through the typed
// getters and whole, and then loaded as the ini file of a Config with one
// variable of each type, and as a language text file whose every key is then
// looked up. Every pass must end: a reader that hands out more pieces than the
// input has bytes is reported as a hang.
#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/gui/GUITextManager.h"
#include "tests/support/FuzzWorkspace.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace
{

using namespace OrvaneEngine;

std::unique_ptr<FileTextual> Open(const std::uint8_t* data, std::size_t size)
{
    auto file = std::make_unique<FileBinary>("fuzz", false, false, true, static_cast<std::uint32_t>(size), data);
    return std::make_unique<FileTextual>(std::move(file), false, FileTextual::EncodingAnsi);
}

// Each call takes at least one character from the file, so a few more calls
// than there are bytes is already too many.
void CheckBounded(std::size_t calls, std::size_t size)
{
    if (calls > size + 4)
    {
        std::fprintf(stderr, "text reader did not end: %zu reads of %zu bytes\n", calls, size);
        std::abort();
    }
}

void ReadEveryMode(FileTextual& text, std::size_t size)
{
    for (int mode = 0; mode < 8; ++mode)
    {
        const bool word = (mode & 1) != 0;
        const bool wide = (mode & 2) != 0;
        const bool strip = (mode & 4) != 0;
        text.Rewind();
        std::size_t calls = 0;
        std::string narrow;
        std::u16string wideText;
        while (wide ? text.ReadWideString(wideText, strip, word) : text.ReadString(narrow, strip, word))
            CheckBounded(++calls, size);
    }

    // Words and lines taken in turn, as the language texts and lists mix them.
    text.Rewind();
    std::size_t calls = 0;
    std::string piece;
    while (text.ReadString(piece, true, calls % 3 == 0))
        CheckBounded(++calls, size);
}

void UseGetters(FileTextual& text, std::size_t size)
{
    text.Rewind();
    std::size_t calls = 0;
    std::string word;
    while (text.GetString(word, calls % 2 == 0))
        CheckBounded(++calls, size);

    text.Rewind();
    for (std::size_t i = 0; i < 4 && !text.IsEndReached(); ++i)
    {
        text.GetInt();
        text.GetFloat();
        text.GetBool();
    }

    text.Rewind();
    std::u16string all;
    text.ReadAllText(all, true);
    text.Rewind();
    text.ReadAllText(all, false);
    text.GetLength();
}

void LoadAsIni(corvellan::test::FuzzWorkspace& workspace, const std::uint8_t* data, std::size_t size)
{
    workspace.Put("fuzz.ini", data, size);
    Config config(&workspace.log, &workspace.files, workspace.Root(), "fuzz", true, "1024x768x32", false,
                  true);
    std::uint32_t number = 0;
    float decimal = 0.0f;
    bool flag = false;
    std::string text;
    config.RegisterVariable("f_uint", ConfigVariable::TypeUInt, false, true, &number, "1", true);
    config.RegisterVariable("f_float", ConfigVariable::TypeFloat, false, true, &decimal, "1.0", true);
    config.RegisterVariable("f_bool", ConfigVariable::TypeBool, false, true, &flag, "1", true);
    config.RegisterVariable("f_string", ConfigVariable::TypeString, false, true, &text, "a", true);
    config.RegisterVariable("f_command", ConfigVariable::TypeCommand, false, false, nullptr, "", false);
    config.Load();
    config.Update();
    // Registered after the load, so that its lines wait as pending lines.
    std::string late;
    config.RegisterVariable("f_late", ConfigVariable::TypeString, true, true, &late, "b", false);
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    ParseVideoMode(config.videoMode, &width, &height, nullptr);
    config.UnbindVariable("f_string");
}

void LoadAsLanguageTexts(corvellan::test::FuzzWorkspace& workspace, const std::uint8_t* data, std::size_t size)
{
    workspace.Put("data/fuzz_texts.ini", data, size);
    GUITextManager texts(&workspace.log, &workspace.files);
    texts.LoadTexts("fuzz_texts.ini");
    // Each key read from the file is found again, however it was written.
    for (const auto& [key, text] : texts.GetTexts())
    {
        if (texts.GetText(key) != text)
        {
            std::fprintf(stderr, "language text of \"%s\" not found again\n", key.c_str());
            std::abort();
        }
        texts.GetText(key, 0);
    }
    texts.GetText("", -2147483647 - 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static corvellan::test::FuzzWorkspace workspace;
    auto text = Open(data, size);
    ReadEveryMode(*text, size);
    UseGetters(*text, size);
    LoadAsIni(workspace, data, size);
    LoadAsLanguageTexts(workspace, data, size);
    workspace.log.ClearMessages();
    return 0;
}
