#include "content/BoxFont.h"
#include "content/FontFileWriter.h"
#include "content/FontRasterizer.h"
#include "content/FuzzSeeds.h"

#include <exception>

namespace corvellan::content
{

namespace
{

// Capitals, a small letter, a digit, a defined space, Czech and Cyrillic
// capitals (for the lower-case copies) and a white-space unit with a glyph.
std::vector<FontGlyphRecord> BoxRecords()
{
    return BoxFont::Records({{u'A', 0.5f},
                             {u'B', 0.75f},
                             {u'W', 1.25f},
                             {u'i', 0.25f},
                             {u'7', 0.5f},
                             {u' ', 0.3f},
                             {u'\u010C', 0.6f},
                             {u'\u0401', 0.6f},
                             {u'\u0416', 1.0f},
                             {u'\u00A0', 0.3f}});
}

} // namespace

bool WriteFontFileSeeds(const std::string& folder, const std::string& ttfPath)
{
    const std::string target = "font_file";
    const std::vector<FontGlyphRecord> box = BoxRecords();
    const std::string sound = FontFileWriter::Build(box);
    const std::uint32_t size = static_cast<std::uint32_t>(sound.size());

    std::vector<FontGlyphRecord> twice = box;
    twice.insert(twice.end(), box.begin(), box.begin() + 3);
    FontFileDamage oldVersion;
    oldVersion.header.version = 200;
    FontFileDamage longer;
    longer.header.sizeField = size + 1;
    FontFileDamage shorter;
    shorter.header.sizeField = size - 1;

    bool written = WriteSeed(folder, target, "box.fnt", sound);
    written = WriteSeed(folder, target, "empty.fnt", FontFileWriter::Build({})) && written;
    written = WriteSeed(folder, target, "duplicates.fnt", FontFileWriter::Build(twice)) && written;
    written = WriteSeed(folder, target, "version200.fnt", FontFileWriter::Build(box, oldVersion)) && written;
    written = WriteSeed(folder, target, "size_plus_one.fnt", FontFileWriter::Build(box, longer)) && written;
    written = WriteSeed(folder, target, "size_minus_one.fnt", FontFileWriter::Build(box, shorter)) && written;
    if (!ttfPath.empty())
    {
        FontRasterOptions options;
        options.ttfPath = ttfPath;
        options.pixelHeight = 16;
        options.characters = *FontRasterizer::NamedCharacterSet("ascii");
        try
        {
            const FontRaster raster = FontRasterizer::Rasterize(options);
            written = WriteSeed(folder, target, "ascii_face.fnt", FontFileWriter::Build(raster.glyphs)) && written;
        }
        catch (const std::exception&)
        {
            written = false;
        }
    }
    return written;
}

} // namespace corvellan::content
