#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvellan::content
{

struct WavFormat
{
    std::uint16_t tag = 1; // PCM
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 16;
};

// A RIFF/WAVE file put together chunk by chunk, so that a test can make any
// file a reader may meet: any tag, channel count, bits and rate, extra and
// odd-sized chunks, sizes that lie about the bytes that follow, truncation.
class WavWriter
{
public:
    // Without a header call the file starts with "RIFF", the true size and "WAVE".
    WavWriter& Header(const std::string& riff, std::optional<std::uint32_t> size, const std::string& form);
    // The id, the declared size (the body's own by default), the body and, after
    // an odd-sized body, one pad byte.
    WavWriter& Chunk(const std::string& id, const std::string& body,
                     std::optional<std::uint32_t> declared = std::nullopt);
    // A "fmt " chunk of `size` bytes (16 or more) with byte rate and block
    // align worked out from the format.
    WavWriter& Format(const WavFormat& format, std::uint32_t size = 16);
    WavWriter& Data(const std::string& bytes, std::optional<std::uint32_t> declared = std::nullopt);

    std::string Bytes() const;

    // A plain file: the format chunk, then the data.
    static std::string Simple(const WavFormat& format, const std::string& data);

private:
    std::string riff = "RIFF";
    std::optional<std::uint32_t> riffSize;
    std::string form = "WAVE";
    std::string chunks;
};

// Little-endian bytes of 16-bit samples, and of 32-bit and 16-bit numbers.
std::string Samples16(const std::vector<std::int16_t>& samples);
std::string Little32(std::uint32_t value);
std::string Little16(std::uint16_t value);

} // namespace corvellan::content
