#pragma once

#include "engine/core/Matrix4.h"

#include <cstdint>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class FileManager;
}

namespace Mirabel
{

// The stage map's markers as "map.gmf" lists them: a type and a world
// matrix each, behind the shared versioned header.
class MapFile
{
public:
    static constexpr const char* Path = "data\\ui\\menus\\map\\map.gmf";
    static constexpr const char* Magic = "JXGMF";
    static constexpr std::uint32_t Version = 100;
    static constexpr std::uint32_t RecordSize = 68;

    enum Type : std::uint32_t
    {
        TypeStart = 0,
        TypeFinish = 1,
        TypeCheckPoint = 2,
        TypePath = 3,
    };

    struct Element
    {
        std::uint32_t type = 0;
        OrvaneEngine::Matrix4 matrix;
        // The level position the element stands for.
        std::uint32_t stage = 0;
        std::uint32_t index = 0;
    };

    // The elements in file order, each with its (stage, index): every check
    // point opens a stage. FileError when the file is missing, not a map or
    // holds other than exactly the records it counts.
    static std::vector<Element> Read(OrvaneEngine::FileManager* files, const std::string& path,
                                     std::uint32_t& stageCount);
};

} // namespace Mirabel
