#include "content/MapFileWriter.h"

#include "content/AtomicWrite.h"
#include "content/LittleEndian.h"

namespace corvellan::content
{

std::string MapFileWriter::Build(const std::vector<MapFileElement>& elements, const MapFileOptions& options)
{
    std::string body;
    AppendLittle32(body, options.count.value_or(static_cast<std::uint32_t>(elements.size())));
    for (const MapFileElement& element : elements)
    {
        AppendLittle32(body, element.type);
        for (float value : element.matrix)
            AppendFloat(body, value);
    }
    return VersionedFileWriter::Build("JXGMF", 100, body, options.header);
}

bool MapFileWriter::WriteTo(const std::string& path, const std::vector<MapFileElement>& elements,
                            const MapFileOptions& options)
{
    return WriteFileAtomically(path, Build(elements, options));
}

MapFileElement MapFileWriter::At(std::uint32_t type, float x, float y, float scale)
{
    MapFileElement element;
    element.type = type;
    element.matrix = {scale, 0, 0, x, 0, scale, 0, y, 0, 0, 1, 0, 0, 0, 0, 1};
    return element;
}

} // namespace corvellan::content
