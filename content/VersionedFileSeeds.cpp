#include "content/FuzzSeeds.h"
#include "content/VersionedFileWriter.h"

namespace corvellan::content
{

bool WriteVersionedFileSeeds(const std::string& folder)
{
    const std::string target = "versioned_file";
    const std::string body = "body of twenty bytes";
    bool written = true;
    for (const VersionedFileFormat& format : VersionedFileFormats)
        written = WriteSeed(folder, target, std::string(format.magic) + ".dat",
                            VersionedFileWriter::Build(format.magic, format.version, body)) &&
                  written;
    const std::string whole = VersionedFileWriter::Build("MBPRF", 104, body);
    written = WriteSeed(folder, target, "cut_short.dat", whole.substr(0, 10)) && written;
    written = WriteSeed(folder, target, "wrong_size.dat",
                        VersionedFileWriter::Build("MBPRF", 104, body, VersionedFileDamage{34, {}, {}})) &&
              written;
    return written;
}

} // namespace corvellan::content
