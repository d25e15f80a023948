#include "game/BackgroundLayerList.h"

#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/StringFunctions.h"

#include <memory>
#include <utility>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

// The text reader answers 0 for a value that is not there; a list cut short
// must fail instead of making layers out of nothing.
std::string NextWord(FileTextual& file, const std::string& fileName)
{
    std::string word;
    if (!file.GetString(word, false))
        throw FileError("Background layer list " + fileName + " ends before its last layer");
    return word;
}

std::int32_t NextInt(FileTextual& file, const std::string& fileName)
{
    return StringToInt(NextWord(file, fileName), 10);
}

} // namespace

bool BackgroundLayerList::Layer::HasParticleSystem() const
{
    return ToLower(particleSystemName) != "_none_";
}

std::vector<BackgroundLayerList::Layer> BackgroundLayerList::Read(FileTextual& file, const std::string& fileName)
{
    const std::int32_t count = NextInt(file, fileName);
    if (count < 0 || count > MostLayers)
        throw FileError("Background layer list " + fileName + " names " + IntToString(count, 0) +
                        " layers; a list holds 0 to " + IntToString(MostLayers, 0));

    std::vector<Layer> layers;
    layers.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i)
    {
        Layer layer;
        layer.index = static_cast<std::uint32_t>(i);
        layer.modelName = NextWord(file, fileName);
        layer.particleSystemName = NextWord(file, fileName);
        layer.builtByBackground = NextInt(file, fileName) != 0;
        layer.stage = NextInt(file, fileName);
        layers.push_back(std::move(layer));
    }
    return layers;
}

std::vector<BackgroundLayerList::Layer> BackgroundLayerList::Load(FileManager& files)
{
    const std::unique_ptr<FileTextual> file = files.OpenTextual(FileName, false, FileTextual::EncodingAnsi);
    return Read(*file, FileName);
}

std::string BackgroundLayerList::ModelPath(const Layer& layer)
{
    return "ui\\menus\\background\\models\\" + layer.modelName + ".mlf";
}

std::string BackgroundLayerList::ParticleSystemPath(const Layer& layer)
{
    return "ui\\menus\\background\\particles\\" + layer.particleSystemName + ".psf";
}

} // namespace Mirabel
