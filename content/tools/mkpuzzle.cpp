// mkpuzzle: cuts a picture into a puzzle folder the game loads ("theme.jpg",
// "puzzle.pzf" and "puzzle.ini").
#include "content/PuzzleCutter.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Image.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

void Usage(std::FILE* out)
{
    std::fprintf(out,
                 "usage: mkpuzzle [options] <picture> <columns> <rows> <folder>\n"
                 "\n"
                 "Cuts the picture (BMP, TGA or JPEG, at most 1024 x 512) into columns x rows\n"
                 "pieces, at most 200, and writes the puzzle folder.\n"
                 "\n"
                 "options:\n"
                 "  --seed N       the seed of the grid, the knobs and the blocked pieces (default 1)\n"
                 "  --blocked N    this many blocked pieces (default 0)\n"
                 "  --apart        no two blocked pieces touch\n"
                 "  --straight     no jitter of the grid lines\n"
                 "  --ramp N       an edge ramp N pixels wide beside each cut (default 0)\n"
                 "  --colors R G B R G B R G B\n"
                 "                 board, line and tip colour, 0 to 255\n"
                 "  --help         this text\n");
}

bool Number(const char* text, std::uint32_t& value)
{
    char* end = nullptr;
    const unsigned long parsed = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0' || parsed > 0xFFFFFFFFul)
        return false;
    value = static_cast<std::uint32_t>(parsed);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    corvellan::content::PuzzleCutOptions options;
    std::string arguments[4];
    int positional = 0;
    for (int i = 1; i < argc; ++i)
    {
        const std::string option = argv[i];
        bool valid = true;
        if (option == "--help")
        {
            Usage(stdout);
            return 0;
        }
        if (option == "--apart")
            options.blockedApart = true;
        else if (option == "--straight")
            options.jitter = false;
        else if ((option == "--seed" || option == "--blocked" || option == "--ramp") && i + 1 < argc)
        {
            std::uint32_t& target =
                option == "--seed" ? options.seed : option == "--blocked" ? options.blocked : options.rampWidth;
            valid = Number(argv[++i], target);
        }
        else if (option == "--colors" && i + 9 < argc)
        {
            for (std::uint32_t& color : options.colors)
                valid = Number(argv[++i], color) && color <= 255 && valid;
        }
        else if (positional < 4 && (option.empty() || option[0] != '-'))
            arguments[positional++] = option;
        else
            valid = false;
        if (!valid)
        {
            Usage(stderr);
            return 2;
        }
    }
    if (positional != 4 || !Number(arguments[1].c_str(), options.columns) ||
        !Number(arguments[2].c_str(), options.rows))
    {
        Usage(stderr);
        return 2;
    }

    OrvaneEngine::MessageManager log("mkpuzzle", false, false, "", "");
    // Relative names are taken under the working folder.
    OrvaneEngine::FileManager files(&log, std::filesystem::current_path().string(), "");
    OrvaneEngine::Image picture;
    if (!picture.Load(&log, &files, arguments[0]))
    {
        std::fprintf(stderr, "mkpuzzle: cannot read the picture %s\n", arguments[0].c_str());
        return 1;
    }
    if (picture.GetBitsPerPixel() != 8 && picture.GetBitsPerPixel() != 24)
        picture.ConvertBitsPerPixel(24);
    const std::string fault = corvellan::content::PuzzleCutter::WriteFolder(picture, options, arguments[3]);
    if (!fault.empty())
    {
        std::fprintf(stderr, "mkpuzzle: %s\n", fault.c_str());
        return 1;
    }
    return 0;
}
