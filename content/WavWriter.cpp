#include "content/WavWriter.h"

#include "content/LittleEndian.h"

namespace corvellan::content
{

std::string Little32(std::uint32_t value)
{
    std::string bytes;
    AppendLittle32(bytes, value);
    return bytes;
}

std::string Little16(std::uint16_t value)
{
    std::string bytes;
    AppendLittle16(bytes, value);
    return bytes;
}

std::string Samples16(const std::vector<std::int16_t>& samples)
{
    std::string bytes;
    bytes.reserve(samples.size() * 2);
    for (const std::int16_t sample : samples)
        bytes += Little16(static_cast<std::uint16_t>(sample));
    return bytes;
}

WavWriter& WavWriter::Header(const std::string& riffId, std::optional<std::uint32_t> size,
                             const std::string& formId)
{
    riff = riffId;
    riffSize = size;
    form = formId;
    return *this;
}

WavWriter& WavWriter::Chunk(const std::string& id, const std::string& body, std::optional<std::uint32_t> declared)
{
    chunks += id.substr(0, 4);
    chunks += Little32(declared.value_or(static_cast<std::uint32_t>(body.size())));
    chunks += body;
    if (body.size() % 2 != 0)
        chunks += '\0';
    return *this;
}

WavWriter& WavWriter::Format(const WavFormat& format, std::uint32_t size)
{
    const auto blockAlign = static_cast<std::uint16_t>(format.channels * format.bits / 8);
    std::string body = Little16(format.tag) + Little16(format.channels) + Little32(format.rate) +
                       Little32(format.rate * blockAlign) + Little16(blockAlign) + Little16(format.bits);
    body.resize(size, '\0');
    return Chunk("fmt ", body);
}

WavWriter& WavWriter::Data(const std::string& bytes, std::optional<std::uint32_t> declared)
{
    return Chunk("data", bytes, declared);
}

std::string WavWriter::Bytes() const
{
    return riff.substr(0, 4) + Little32(riffSize.value_or(static_cast<std::uint32_t>(4 + chunks.size()))) +
           form.substr(0, 4) + chunks;
}

std::string WavWriter::Simple(const WavFormat& format, const std::string& data)
{
    return WavWriter().Format(format).Data(data).Bytes();
}

} // namespace corvellan::content
