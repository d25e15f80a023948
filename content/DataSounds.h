#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::content
{

class DataStaging;

// One sound of the game, as the game registers it: "audio\<group>\<name>".
struct DataSound
{
    const char* group;
    const char* name;
    bool looping;
    // Ogg Vorbis (the music and the upgrade jingle); otherwise a WAV.
    bool ogg;
};

// The game's sounds and music, synthesised: effects as 16-bit mono WAV at
// 22050 Hz, music as stereo Ogg Vorbis at 22050 Hz. A looping sound ends
// where it starts, so its loop joins without a click.
class DataSounds
{
public:
    static constexpr std::uint32_t Rate = 22050;

    static const std::vector<DataSound>& Sounds();
    // "data\audio\<group>\<name>.wav" or ".ogg".
    static std::string DataName(const DataSound& sound);
    // The file's bytes; throws std::runtime_error naming it when it cannot be made.
    static std::string Make(const DataSound& sound);
    static void Stage(DataStaging& staging);

    // The sound's samples before encoding: mono for effects, interleaved
    // stereo for music.
    static std::vector<std::int16_t> Samples(const DataSound& sound);
};

} // namespace corvellan::content
