#include "content/BoxFont.h"

#include "engine/core/Color.h"
#include "engine/core/FileManager.h"
#include "engine/render/Image.h"

#include <filesystem>

namespace corvellan::content
{

std::vector<FontGlyphRecord> BoxFont::Records(const std::vector<BoxGlyph>& glyphs)
{
    std::vector<FontGlyphRecord> records;
    records.reserve(glyphs.size());
    const float width = glyphs.empty() ? 1.0f : 1.0f / static_cast<float>(glyphs.size());
    for (std::size_t i = 0; i < glyphs.size(); ++i)
    {
        FontGlyphRecord record;
        record.character = glyphs[i].character;
        record.u = static_cast<float>(i) * width;
        record.v = 0.0f;
        record.du = width;
        record.dv = 1.0f;
        record.ratio = glyphs[i].ratio;
        records.push_back(record);
    }
    return records;
}

bool BoxFont::Write(const std::string& folder, const std::string& fontName, const std::string& atlasName,
                    const std::vector<BoxGlyph>& glyphs, const FontFileDamage& damage)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!FontFileWriter::WriteTo(folder + "/" + fontName, Records(glyphs), damage))
        return false;
    if (atlasName.empty())
        return true;
    OrvaneEngine::Image atlas;
    atlas.Create(nullptr, AtlasSide, AtlasSide, 32);
    atlas.Fill(OrvaneEngine::Color(1.0f, 1.0f, 1.0f, 1.0f));
    OrvaneEngine::FileManager files(nullptr, folder, "");
    return atlas.SaveTGA(&files, atlasName);
}

} // namespace corvellan::content
