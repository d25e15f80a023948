// mkfont: makes a font (a 32-bit TGA atlas and its ".fnt" glyph file) from a
// TrueType face at a pixel height, for a built-in or given character set.
#include "content/FontRasterizer.h"
#include "content/ToolArguments.h"
#include "engine/render/Image.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>

namespace
{

using corvellan::content::FontRasterizer;
using corvellan::content::FontRasterOptions;

void Usage(std::FILE* out)
{
    std::fprintf(out,
                 "usage: mkfont [options] <face.ttf> <pixel height> <atlas.tga> <font.fnt>\n"
                 "\n"
                 "Renders the characters of the face at the pixel height (its em) into a\n"
                 "power-of-two 32-bit TGA atlas, white with the ink in alpha, and writes the\n"
                 "glyph records beside it.\n"
                 "\n"
                 "options:\n"
                 "  --set NAME     a built-in character set: \"ascii\" or \"languages\" (ASCII and\n"
                 "                 the letters of English, Russian, German, French, Italian,\n"
                 "                 Spanish and Czech); the default when no --chars is given\n"
                 "  --chars TEXT   these characters (UTF-8), added to any --set\n"
                 "  --atlas WxH    this atlas size, powers of two (default: the smallest that fits)\n"
                 "  --rle          run-length TGA (default: plain)\n"
                 "  --no-space     no record for ' ' (the fonts list's space ratio spaces text)\n"
                 "  --help         this text\n");
}

// UTF-8 to UTF-16 units of the basic plane, which is all a glyph record holds.
std::u16string FromUtf8(const std::string& text)
{
    std::u16string result;
    for (std::size_t at = 0; at < text.size();)
    {
        const auto lead = static_cast<unsigned char>(text[at]);
        std::uint32_t point = 0;
        std::size_t length = 0;
        if (lead < 0x80)
        {
            point = lead;
            length = 1;
        }
        else if ((lead & 0xE0) == 0xC0)
        {
            point = lead & 0x1Fu;
            length = 2;
        }
        else if ((lead & 0xF0) == 0xE0)
        {
            point = lead & 0x0Fu;
            length = 3;
        }
        else
            throw std::runtime_error("--chars: characters beyond U+FFFF or bad UTF-8 are not supported");
        if (at + length > text.size())
            throw std::runtime_error("--chars: the UTF-8 text ends inside a character");
        for (std::size_t k = 1; k < length; ++k)
        {
            const auto next = static_cast<unsigned char>(text[at + k]);
            if ((next & 0xC0) != 0x80)
                throw std::runtime_error("--chars: bad UTF-8");
            point = (point << 6) | (next & 0x3Fu);
        }
        if (point >= 0xD800 && point < 0xE000)
            throw std::runtime_error("--chars: bad UTF-8");
        result.push_back(static_cast<char16_t>(point));
        at += length;
    }
    return result;
}

std::uint32_t Number(const std::string& text, const char* what)
{
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || text[0] == '-' || end == nullptr || *end != '\0' || value > 0xFFFFFFFFul)
        throw std::runtime_error(std::string("bad ") + what + " \"" + text + "\"");
    return static_cast<std::uint32_t>(value);
}

} // namespace

int main(int argc, char** argv)
{
    try
    {
        FontRasterOptions options;
        bool runLength = false;
        bool setGiven = false;
        bool charsGiven = false;
        std::u16string characters;
        std::string positional[4];
        int positionals = 0;
        corvellan::content::ToolArguments arguments(argc, argv);
        std::string argument;
        while (arguments.Next(argument))
        {
            if (corvellan::content::ToolArguments::IsHelp(argument))
            {
                Usage(stdout);
                return 0;
            }
            if (argument == "--set")
            {
                const std::string name = arguments.Value();
                const auto set = FontRasterizer::NamedCharacterSet(name);
                if (!set)
                    throw std::runtime_error("no character set named \"" + name + "\" (ascii, languages)");
                characters += *set;
                setGiven = true;
            }
            else if (argument == "--chars")
            {
                characters += FromUtf8(arguments.Value());
                charsGiven = true;
            }
            else if (argument == "--atlas")
            {
                const std::string size = arguments.Value();
                const std::size_t cross = size.find('x');
                if (cross == std::string::npos)
                    throw std::runtime_error("bad atlas size \"" + size + "\", expected WxH such as 1024x512");
                options.atlasWidth = Number(size.substr(0, cross), "atlas width");
                options.atlasHeight = Number(size.substr(cross + 1), "atlas height");
                if (options.atlasWidth == 0 || options.atlasHeight == 0)
                    throw std::runtime_error("bad atlas size \"" + size + "\"");
            }
            else if (argument == "--rle")
                runLength = true;
            else if (argument == "--no-space")
                options.spaceRecord = false;
            else if (argument.size() > 1 && argument[0] == '-')
                throw std::runtime_error("unknown option " + argument);
            else if (positionals < 4)
                positional[positionals++] = argument;
            else
                throw std::runtime_error("too many arguments");
        }
        if (positionals != 4)
        {
            Usage(stderr);
            return 2;
        }
        if (!setGiven && !charsGiven)
            characters = *FontRasterizer::NamedCharacterSet("languages");
        options.ttfPath = positional[0];
        options.pixelHeight = Number(positional[1], "pixel height");
        options.characters = characters;

        const corvellan::content::FontRaster raster = FontRasterizer::Rasterize(options);
        for (const char16_t missing : raster.missing)
            std::fprintf(stderr, "mkfont: warning: the face has no glyph for U+%04X\n", static_cast<unsigned>(missing));
        if (!FontRasterizer::WriteFiles(raster, positional[2], positional[3], runLength))
        {
            std::fprintf(stderr, "mkfont: cannot write %s or %s\n", positional[2].c_str(), positional[3].c_str());
            return 1;
        }
        std::printf("%s: %zu glyphs, atlas %ux%u\n", positional[3].c_str(), raster.glyphs.size(),
                    raster.atlas->GetWidth(), raster.atlas->GetHeight());
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "mkfont: %s\n", error.what());
        return 1;
    }
    return 0;
}
