#pragma once

#include "content/RecordFileDamage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::content
{

// A record of the list file, carried through by the game unchanged.
struct ProfileListRecord
{
    std::uint32_t number1 = 0;
    std::uint32_t number2 = 0;
    std::u16string text;
    // The f32's bits as stored.
    std::uint32_t valueBits = 0;
};

// Builds the profile list file: "KWPMF" 100, the current profile's name
// (empty for none), the records. The damage's count stands in for theirs.
class ProfileListWriter
{
public:
    static constexpr const char* Magic = "KWPMF";
    static constexpr std::uint32_t Version = 100;

    static std::string Build(const std::u16string& currentName, const std::vector<ProfileListRecord>& records,
                             const RecordFileDamage& damage = {});
    static bool WriteTo(const std::string& path, const std::u16string& currentName,
                        const std::vector<ProfileListRecord>& records, const RecordFileDamage& damage = {});
};

} // namespace corvellan::content
