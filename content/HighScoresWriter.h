#pragma once

#include "content/RecordFileDamage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::content
{

struct HighScoresRow
{
    std::u16string name;
    std::uint32_t mode = 0;
    std::uint32_t score = 0;
    std::uint32_t sequence = 0;
};

// Builds the high-score file: "GFHSF" 101, the sequence counter, the rows in
// the order given. The damage's count stands in for theirs.
class HighScoresWriter
{
public:
    static constexpr const char* Magic = "GFHSF";
    static constexpr std::uint32_t Version = 101;

    static std::string Build(std::uint32_t sequenceCounter, const std::vector<HighScoresRow>& rows,
                             const RecordFileDamage& damage = {});
    static bool WriteTo(const std::string& path, std::uint32_t sequenceCounter, const std::vector<HighScoresRow>& rows,
                        const RecordFileDamage& damage = {});
};

} // namespace corvellan::content
