// The data-file header on hostile bytes: the input, as a file on disk, is
// opened for reading with the magic and version of every format that carries
// the header, with and without the version check, and then closed.
#include "content/VersionedFileWriter.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "framework/VersionedFile.h"
#include "tests/support/FuzzWorkspace.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static corvellan::test::FuzzWorkspace workspace;
    workspace.Put("fuzz.dat", data, size);
    for (const auto& format : corvellan::content::VersionedFileFormats)
    {
        for (std::uint8_t acceptAnyVersion = 0; acceptAnyVersion < 2; ++acceptAnyVersion)
        {
            GameFramework::VersionedFile file(&workspace.files, format.magic, format.version);
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
            catch (const OrvaneEngine::Error&)
            {
            }
        }
    }
    return 0;
}
