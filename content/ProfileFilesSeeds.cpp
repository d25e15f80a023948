#include "content/FuzzSeeds.h"
#include "content/HighScoresWriter.h"
#include "content/ProfileFileWriter.h"
#include "content/ProfileListWriter.h"

#include <utility>

namespace corvellan::content
{

bool WriteProfileFilesSeeds(const std::string& folder)
{
    const std::string target = "profile_files";
    ProfileFileContents profile;
    profile.name = u"Anna Lee";
    profile.mode = 1;
    profile.score = 1200;
    profile.nextStage = 1;
    profile.reachedStage = 1;
    profile.reachedLevel = 2;
    profile.results = {{0, 0, 1, 30.5f}, {1, 1, 2, 12.25f}};
    profile.gameInProgress = 1;
    const std::string profileBytes = ProfileFileWriter::Build(profile);
    const std::string listBytes =
        ProfileListWriter::Build(u"Anna Lee", {{1, 2, u"record", 0x3F800000u}, {0, 0, u"", 0x7F800001u}});
    const std::string tableBytes = HighScoresWriter::Build(3, {{u"Anna", 0, 500, 0}, {u"Bob", 1, 400, 2}});

    bool written = true;
    for (const auto& [name, bytes] : {std::pair<std::string, std::string>{"profile", profileBytes},
                                      {"list", listBytes},
                                      {"table", tableBytes}})
    {
        written = WriteSeed(folder, target, name + ".bin", bytes) && written;
        written = WriteSeed(folder, target, name + "_cut.bin", bytes.substr(0, bytes.size() * 2 / 3)) && written;
    }
    return written;
}

} // namespace corvellan::content
