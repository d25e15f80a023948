#include "content/BackgroundLayersWriter.h"

#include "content/AtomicWrite.h"
#include "content/ListWord.h"

namespace corvellan::content
{

std::string BackgroundLayersWriter::Build(const std::vector<BackgroundLayerEntry>& layers)
{
    std::string text = "// layer count, then per layer: model, particle system (_none_), built by the background, "
                       "stage\r\n";
    text += std::to_string(layers.size()) + "\r\n";
    for (const BackgroundLayerEntry& layer : layers)
    {
        text += CheckedListWord(layer.model, "background layers", "model") + ' ' +
                CheckedListWord(layer.particleSystem, "background layers", "particle system") + ' ' +
                (layer.builtByBackground ? '1' : '0') + ' ' + std::to_string(layer.stage) + "\r\n";
    }
    return text;
}

bool BackgroundLayersWriter::WriteTo(const std::string& path, const std::vector<BackgroundLayerEntry>& layers)
{
    return WriteFileAtomically(path, Build(layers));
}

} // namespace corvellan::content
