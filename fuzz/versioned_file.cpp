// The data-file header on hostile bytes: the input, as a file on disk, is
// opened for reading with the magic and version of every format that carries
// the header, with and without the version check, and then closed.
#include "content/VersionedFileWriter.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "framework/VersionedFile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace
{

using namespace OrvaneEngine;

struct Workspace
{
    Workspace()
    {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/fuzz-versioned-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        root = pattern;
        log = std::make_unique<MessageManager>("fuzz", false, false, "", "");
        files = std::make_unique<FileManager>(log.get(), root, "Data");
    }
    ~Workspace()
    {
        files.reset();
        log.reset();
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::string root;
    std::unique_ptr<MessageManager> log;
    std::unique_ptr<FileManager> files;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Workspace workspace;
    {
        std::ofstream out(workspace.root + "/fuzz.dat", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    for (const auto& format : corvellan::content::VersionedFileFormats)
    {
        for (std::uint8_t acceptAnyVersion = 0; acceptAnyVersion < 2; ++acceptAnyVersion)
        {
            GameFramework::VersionedFile file(workspace.files.get(), format.magic, format.version);
            std::uint32_t version = 0;
            try
            {
                file.Open("fuzz.dat", 0, acceptAnyVersion, &version);
                // An accepted file must stand at its body, inside the file.
                if (file.GetFile()->GetPosition() != GameFramework::VersionedFile::HeaderSize ||
                    file.GetFile()->GetSize() < GameFramework::VersionedFile::HeaderSize)
                    std::abort();
                file.Close();
            }
            catch (const Error&)
            {
            }
        }
    }
    return 0;
}
