#include "content/FuzzSeeds.h"
#include "content/OggWriter.h"
#include "content/WavWriter.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace corvellan::content
{
namespace
{
std::vector<std::int16_t> Tone(std::uint32_t frames, std::uint32_t channels, std::uint32_t rate)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(frames) * channels);
    for (std::uint32_t frame = 0; frame < frames; ++frame)
    {
        for (std::uint32_t channel = 0; channel < channels; ++channel)
        {
            const double phase = 2.0 * 3.14159265358979 * 440.0 * (channel + 1) * frame / rate;
            samples[frame * channels + channel] = static_cast<std::int16_t>(12000.0 * std::sin(phase));
        }
    }
    return samples;
}
} // namespace

bool WriteSoundSeeds(const std::string& folder)
{
    bool written = true;
    const auto wav = [&](const std::string& name, const std::string& bytes) {
        written = WriteSeed(folder, "sound_wav", name, bytes) && written;
    };
    const std::string mono16 = Samples16(Tone(200, 1, 22050));
    const std::string stereo16 = Samples16(Tone(150, 2, 44100));
    const std::string mono8(300, '\x80');
    wav("mono16.wav", WavWriter::Simple({1, 1, 22050, 16}, mono16));
    wav("stereo16.wav", WavWriter::Simple({1, 2, 44100, 16}, stereo16));
    wav("mono8.wav", WavWriter::Simple({1, 1, 11025, 8}, mono8));
    wav("list_first.wav",
        WavWriter().Chunk("LIST", "INFOISFT" + Little32(5) + "hello").Format({1, 2, 22050, 16}).Data(stereo16).Bytes());
    wav("odd_chunk.wav",
        WavWriter().Format({1, 1, 22050, 8}).Chunk("junk", "abc").Data(mono8.substr(0, 101)).Bytes());
    wav("long_format.wav", WavWriter().Format({1, 1, 22050, 16}, 18).Data(mono16).Bytes());
    wav("data_too_long.wav", WavWriter().Format({1, 2, 22050, 16}).Data(stereo16, 0x7FFFFFF0u).Bytes());
    wav("huge_chunk.wav", WavWriter().Chunk("junk", "x", 0xFFFFFFF0u).Format({1, 1, 22050, 16}).Bytes());
    const std::string whole = WavWriter::Simple({1, 1, 22050, 16}, mono16);
    wav("truncated.wav", whole.substr(0, 30));

    const auto ogg = [&](const std::string& name, const std::string& bytes) {
        written = !bytes.empty() && WriteSeed(folder, "sound_ogg", name, bytes) && written;
    };
    const std::string monoOgg = EncodeOggVorbis(Tone(4000, 1, 22050), 1, 22050);
    const std::string stereoOgg = EncodeOggVorbis(Tone(9000, 2, 44100), 2, 44100);
    ogg("mono.ogg", monoOgg);
    ogg("stereo.ogg", stereoOgg);
    ogg("short.ogg", EncodeOggVorbis(Tone(100, 2, 8000), 2, 8000));
    ogg("truncated.ogg", stereoOgg.substr(0, stereoOgg.size() * 2 / 3));
    return written;
}

} // namespace corvellan::content
