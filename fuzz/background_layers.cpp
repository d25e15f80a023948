// The menu background's layer list on hostile bytes: the bytes are the text of
// "background.ini", read by the one layer-list parser. It must answer a list
// of at most MostLayers layers, each with a model and a particle system name,
// or a FileError; anything else (another exception, a crash, a huge
// reservation, which libFuzzer's malloc limit reports) is a fault.
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileTextual.h"
#include "game/BackgroundLayerList.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace OrvaneEngine;
    using Mirabel::BackgroundLayerList;

    auto bytes = std::make_unique<FileBinary>("fuzz", false, false, true, static_cast<std::uint32_t>(size), data);
    FileTextual text(std::move(bytes), false, FileTextual::EncodingAnsi);
    try
    {
        const auto layers = BackgroundLayerList::Read(text, BackgroundLayerList::FileName);
        if (layers.size() > static_cast<std::size_t>(BackgroundLayerList::MostLayers))
        {
            std::fprintf(stderr, "layer list of %zu layers passed\n", layers.size());
            std::abort();
        }
        for (std::size_t i = 0; i < layers.size(); ++i)
        {
            if (layers[i].index != i || layers[i].modelName.empty() || layers[i].particleSystemName.empty())
            {
                std::fprintf(stderr, "layer %zu read without its names or at the wrong place\n", i);
                std::abort();
            }
        }
    }
    catch (const FileError&)
    {
    }
    return 0;
}
