#include "content/FontsListWriter.h"
#include "content/FuzzSeeds.h"

#include <vector>

namespace corvellan::content
{

bool WriteFontsListSeeds(const std::string& folder)
{
    const std::string target = "fonts_list";
    // The fuzz target writes this font and atlas beside the list it reads.
    FontsListEntry capitals;
    capitals.file = "ui\\fonts\\box.fnt";
    capitals.diffuse = "ui\\fonts\\atlas.tga";
    capitals.opacity = "32bit";
    capitals.glyphHeight = 24.0f;
    capitals.spaceRatio = 0.4f;
    capitals.advanceFactor = 1.1f;
    capitals.addLowerCase = true;
    FontsListEntry fixed = capitals;
    fixed.opacity = "ui\\fonts\\atlas.tga";
    fixed.addLowerCase = false;
    fixed.fixedPitch = true;
    FontsListEntry missing = capitals;
    missing.file = "ui\\fonts\\none.fnt";

    const std::string two = FontsListWriter::Build(1, {capitals, fixed});
    bool written = WriteSeed(folder, target, "two_fonts.ini", two);
    written = WriteSeed(folder, target, "count_zero.ini", FontsListWriter::Build(0, {})) && written;
    written = WriteSeed(folder, target, "cut_short.ini", two.substr(0, two.size() * 3 / 4)) && written;
    written = WriteSeed(folder, target, "huge_count.ini", "4000000000 0\n" + two.substr(two.find('\n') + 1)) &&
              written;
    written = WriteSeed(folder, target, "missing_font.ini", FontsListWriter::Build(0, {missing, capitals})) &&
              written;
    written = WriteSeed(folder, target, "flags.ini",
                        "// add lower case and fixed pitch, yes and no\n3 2\n"
                        "ui\\fonts\\box.fnt ui\\fonts\\atlas.tga 32bit 20 0.5 1 1 1\n"
                        "ui\\fonts\\box.fnt ui\\fonts\\atlas.tga 32bit 20 0.5 1 -1 0\n"
                        "ui\\fonts\\box.fnt ui\\fonts\\atlas.tga 32bit 20 0.5 1 2 -5\n") &&
              written;
    return written;
}

} // namespace corvellan::content
