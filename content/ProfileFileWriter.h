#pragma once

#include "content/RecordFileDamage.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::content
{

struct ProfileFileResult
{
    std::uint32_t mode = 0;
    std::uint32_t stage = 0;
    std::uint32_t level = 0;
    float time = 0.0f;
};

// Everything a game profile file holds, in file order.
struct ProfileFileContents
{
    std::u16string name;
    std::uint32_t mode = 0;
    std::uint32_t gameCounter = 3;
    std::uint32_t score = 0;
    std::uint32_t nextStage = 0;
    std::uint32_t nextLevel = 0;
    std::uint32_t reachedStage = 0;
    std::uint32_t reachedLevel = 0;
    std::uint8_t reachedEnd = 0;
    std::vector<ProfileFileResult> results;
    std::uint8_t gameInProgress = 0;
    float musicVolume = 1.0f;
    float soundVolume = 1.0f;
    // The game's four show-once flags.
    std::array<std::uint8_t, 4> gameBytes{1, 1, 1, 1};
};

// Builds a game profile file: "MBPRF" 104, the framework's record, then the
// game's four bytes. The damage's count stands in for the result count.
class ProfileFileWriter
{
public:
    static constexpr const char* Magic = "MBPRF";
    static constexpr std::uint32_t Version = 104;

    static std::string Build(const ProfileFileContents& contents, const RecordFileDamage& damage = {});
    // Writes the file at path (an operating-system path), making its folders,
    // whole or not at all; false when it could not be written.
    static bool WriteTo(const std::string& path, const ProfileFileContents& contents,
                        const RecordFileDamage& damage = {});
};

} // namespace corvellan::content
