#include "game/menus/MapFile.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "framework/VersionedFile.h"

namespace Mirabel
{

using namespace OrvaneEngine;

std::vector<MapFile::Element> MapFile::Read(FileManager* files, const std::string& path, std::uint32_t& stageCount)
{
    GameFramework::VersionedFile versioned(files, Magic, Version);
    versioned.Open(path, 0, 0, nullptr);
    FileBinary* file = versioned.GetFile();
    std::uint32_t count = 0;
    file->ReadUInt32(count);
    // The count decides an allocation: it must describe the bytes present.
    const std::uint64_t expected =
        GameFramework::VersionedFile::HeaderSize + 4 + static_cast<std::uint64_t>(count) * RecordSize;
    if (expected != file->GetSize())
        throw FileError("Map file is broken");

    std::vector<Element> elements(count);
    std::uint32_t stage = 0;
    std::uint32_t index = 0;
    for (Element& element : elements)
    {
        file->ReadUInt32(element.type);
        file->Read(element.matrix.m, sizeof(element.matrix.m));
        if (element.type == TypeCheckPoint)
        {
            ++stage;
            index = 0;
        }
        element.stage = stage;
        element.index = index++;
    }
    stageCount = stage;
    return elements;
}

} // namespace Mirabel
