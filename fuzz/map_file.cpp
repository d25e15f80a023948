// The stage map's file on hostile bytes: the input is written as "map.gmf"
// under the workspace's root and read by the map reader. It must answer the
// elements the bytes hold, each placed in a stage the count covers, or a
// FileError; anything else (another exception, a crash, an allocation for a
// count the bytes do not hold, which libFuzzer's malloc limit reports) is a fault.
#include "engine/core/Error.h"
#include "game/menus/MapFile.h"
#include "tests/support/FuzzWorkspace.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static corvellan::test::FuzzWorkspace workspace;
    workspace.Put("map.gmf", data, size);
    try
    {
        std::uint32_t stages = 0;
        const auto elements = Mirabel::MapFile::Read(&workspace.files, "map.gmf", stages);
        if (17 + 68 * elements.size() != size)
        {
            std::fprintf(stderr, "%zu elements read from %zu bytes\n", elements.size(), size);
            std::abort();
        }
        for (const auto& element : elements)
        {
            if (element.stage > stages)
            {
                std::fprintf(stderr, "an element of stage %u beyond the count %u\n", element.stage, stages);
                std::abort();
            }
        }
    }
    catch (const OrvaneEngine::FileError&)
    {
    }
    return 0;
}
