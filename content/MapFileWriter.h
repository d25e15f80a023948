#pragma once

#include "content/VersionedFileWriter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvellan::content
{

// One marker of the stage map: 0 start, 1 finish, 2 check point, 3 path,
// and its world matrix, row-major.
struct MapFileElement
{
    std::uint32_t type = 3;
    std::array<float, 16> matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

struct MapFileOptions
{
    // Written in place of the element count.
    std::optional<std::uint32_t> count;
    VersionedFileDamage header;
};

// Writes "map.gmf": the versioned header ("JXGMF" 100), the element count,
// then 68 bytes per element (type, then the 16 floats), little-endian.
class MapFileWriter
{
public:
    static std::string Build(const std::vector<MapFileElement>& elements, const MapFileOptions& options = {});
    // Writes the file at path (an operating-system path) whole or not at
    // all, making its folders; false when it could not be written.
    static bool WriteTo(const std::string& path, const std::vector<MapFileElement>& elements,
                        const MapFileOptions& options = {});
    // A marker whose matrix places the unit box at (x, y), scaled by `scale`.
    static MapFileElement At(std::uint32_t type, float x, float y, float scale = 1.0f);
};

} // namespace corvellan::content
