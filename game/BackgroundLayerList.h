#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class FileManager;
class FileTextual;
} // namespace OrvaneEngine

namespace Mirabel
{

// The menu background's layer list: a count, then per layer its model name,
// its particle system name ("_none_" in any case for none), whether the
// background builds the layer itself, and the stage that reveals it. The game
// data and the menu background both read it through here, so they agree on
// every layer.
class BackgroundLayerList
{
public:
    static constexpr const char* FileName = "data\\ui\\menus\\background\\background.ini";
    // More layers than this is a damaged list, not a background.
    static constexpr std::int32_t MostLayers = 64;

    struct Layer
    {
        // Position in the list, from 0.
        std::uint32_t index = 0;
        std::string modelName;
        std::string particleSystemName;
        bool builtByBackground = false;
        std::int32_t stage = 0;

        bool HasParticleSystem() const;
    };

    // Every layer in list order. A count outside 0..MostLayers or a list that
    // ends before its last value throws FileError naming fileName; nothing is
    // reserved before the count has passed.
    static std::vector<Layer> Read(OrvaneEngine::FileTextual& file, const std::string& fileName);
    // Opens FileName through the file manager (its FileError when missing) and reads it.
    static std::vector<Layer> Load(OrvaneEngine::FileManager& files);

    // "ui\menus\background\models\<name>.mlf" and "...\particles\<name>.psf".
    static std::string ModelPath(const Layer& layer);
    static std::string ParticleSystemPath(const Layer& layer);
};

} // namespace Mirabel
