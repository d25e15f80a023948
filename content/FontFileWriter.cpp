#include "content/FontFileWriter.h"

#include "content/AtomicWrite.h"
#include "content/LittleEndian.h"

namespace corvellan::content
{

std::string FontFileWriter::Build(const std::vector<FontGlyphRecord>& glyphs, const FontFileDamage& damage)
{
    std::string body;
    body.reserve(4 + glyphs.size() * RecordSize);
    AppendLittle32(body, damage.count.value_or(static_cast<std::uint32_t>(glyphs.size())));
    for (const FontGlyphRecord& glyph : glyphs)
    {
        AppendLittle16(body, glyph.character);
        AppendFloat(body, glyph.u);
        AppendFloat(body, glyph.v);
        AppendFloat(body, glyph.du);
        AppendFloat(body, glyph.dv);
        AppendFloat(body, glyph.ratio);
    }
    return VersionedFileWriter::Build("OVFNT", Version, body, damage.header);
}

bool FontFileWriter::WriteTo(const std::string& path, const std::vector<FontGlyphRecord>& glyphs,
                             const FontFileDamage& damage)
{
    return WriteFileAtomically(path, Build(glyphs, damage));
}

} // namespace corvellan::content
