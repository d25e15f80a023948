#include "content/BackgroundLayersWriter.h"
#include "content/FuzzSeeds.h"

#include <vector>

namespace corvellan::content
{

bool WriteBackgroundLayersSeeds(const std::string& folder)
{
    const std::string target = "background_layers";
    const std::vector<BackgroundLayerEntry> three{
        {"sky", "_none_", false, 1},
        {"hills", "_NONE_", false, 0},
        {"castle", "sparkles", false, 2},
        {"unicorn", "stars", true, 0},
    };
    const std::string layers = BackgroundLayersWriter::Build(three);
    const std::string body = layers.substr(layers.find("\r\n4\r\n") + 5);
    bool written = WriteSeed(folder, target, "layers.ini", layers);
    written = WriteSeed(folder, target, "none.ini", BackgroundLayersWriter::Build({})) && written;
    written = WriteSeed(folder, target, "negative_count.ini", "-1\r\n" + body) && written;
    written = WriteSeed(folder, target, "huge_count.ini", "100000\r\n" + body) && written;
    written = WriteSeed(folder, target, "cut_short.ini", layers.substr(0, layers.size() * 2 / 3)) && written;
    written = WriteSeed(folder, target, "comments.ini",
                        "2 // two layers\r\nsky // the back\r\n_none_ 0 -3\r\n// gone\r\nfront glow -1 7\r\n") &&
              written;
    return written;
}

} // namespace corvellan::content
