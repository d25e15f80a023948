#include "content/FuzzSeeds.h"
#include "content/MapFileWriter.h"

#include <vector>

namespace corvellan::content
{

bool WriteMapFileSeeds(const std::string& folder)
{
    const std::string target = "map_file";
    const std::vector<MapFileElement> path{
        MapFileWriter::At(0, 100, 100), MapFileWriter::At(3, 140, 110), MapFileWriter::At(3, 180, 120),
        MapFileWriter::At(2, 220, 130), MapFileWriter::At(3, 260, 140), MapFileWriter::At(1, 300, 150),
    };
    const std::string map = MapFileWriter::Build(path);
    bool written = WriteSeed(folder, target, "six.gmf", map);
    written = WriteSeed(folder, target, "empty.gmf", MapFileWriter::Build({})) && written;
    written = WriteSeed(folder, target, "check_point_first.gmf",
                        MapFileWriter::Build({MapFileWriter::At(2, 0, 0), MapFileWriter::At(1, 10, 0)})) &&
              written;
    written = WriteSeed(folder, target, "count_too_large.gmf", MapFileWriter::Build(path, {0x10000000u, {}})) &&
              written;
    written = WriteSeed(folder, target, "cut_short.gmf", map.substr(0, map.size() - 30)) && written;
    written = WriteSeed(folder, target, "version_101.gmf", MapFileWriter::Build(path, {std::nullopt, {{}, {}, 101}})) &&
              written;
    return written;
}

} // namespace corvellan::content
