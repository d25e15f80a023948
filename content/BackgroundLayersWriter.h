#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::content
{

// One line of the menu background's layer list.
struct BackgroundLayerEntry
{
    std::string model;
    // "_none_" for a layer without one.
    std::string particleSystem = "_none_";
    // The menu background builds the layer itself; the game data skips it.
    bool builtByBackground = false;
    std::int32_t stage = 0;
};

// Writes "background.ini": the layer count, then one line per layer.
class BackgroundLayersWriter
{
public:
    // Throws std::invalid_argument for a name the reader could not split back.
    static std::string Build(const std::vector<BackgroundLayerEntry>& layers);
    // Writes the file at path whole or not at all; false when it could not be written.
    static bool WriteTo(const std::string& path, const std::vector<BackgroundLayerEntry>& layers);
};

} // namespace corvellan::content
