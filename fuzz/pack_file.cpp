// The pack reader on hostile bytes: the input becomes a pack file that is
// opened on its own and through a file manager, and every name its
// directory claims is looked up and read.
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PackFile.h"
#include "tests/support/FuzzWorkspace.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace
{

using namespace OrvaneEngine;

// The names the directory claims to hold, read independently of the reader
// under test and stopping where the bytes end.
std::vector<std::string> ClaimedNames(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> names;
    if (size < 17)
        return names;
    const std::uint32_t count = data[13] | (data[14] << 8) | (data[15] << 16) | (static_cast<std::uint32_t>(data[16]) << 24);
    std::size_t at = 17;
    for (std::uint32_t index = 0; index < count && at < size && names.size() < 256; ++index)
    {
        const std::size_t length = data[at++];
        if (length > size - at)
            break;
        names.emplace_back(reinterpret_cast<const char*>(data + at), length);
        at += length;
    }
    return names;
}

void UsePack(PackFile& pack, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
    {
        pack.Contains(name);
        try
        {
            std::uint32_t size = 0;
            if (pack.GetFileSize(name, size))
            {
                std::vector<std::uint8_t> bytes(size);
                pack.ReadFile(name, bytes.data());
            }
        }
        catch (const FileError&)
        {
        }
    }
    std::vector<std::string> found;
    pack.FindFiles("data", "*", found);
}

void UseManager(const std::string& root, MessageManager* log, const std::vector<std::string>& names)
{
    FileManager files(log, root, "Data");
    for (const std::string& name : names)
    {
        files.Exists(name);
        // Names that lead out of the root could reach real files; only
        // names inside the packs are opened.
        if (name.empty() || name.front() == '/' || name.find("..") != std::string::npos)
            continue;
        try
        {
            auto file = files.Open(name, false);
            std::vector<std::uint8_t> bytes(file->GetSize());
            file->Read(bytes.data(), file->GetSize());
        }
        catch (const FileError&)
        {
        }
    }
    std::vector<std::string> found;
    files.FindFiles("data", "*", found);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static corvellan::test::FuzzWorkspace workspace;
    workspace.Put("Data/fuzz.pak", data, size);
    const std::string packPath = workspace.Root() + "/Data/fuzz.pak";
    const std::vector<std::string> names = ClaimedNames(data, size);
    try
    {
        PackFile pack(&workspace.log, packPath);
        UsePack(pack, names);
    }
    catch (const Error&)
    {
    }
    UseManager(workspace.Root(), &workspace.log, names);
    workspace.log.ClearMessages();
    return 0;
}
