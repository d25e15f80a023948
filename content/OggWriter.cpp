#include "content/OggWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdlib>

namespace corvellan::content
{
namespace
{
void AppendPage(std::string& out, const ogg_page& page)
{
    out.append(reinterpret_cast<const char*>(page.header), static_cast<std::size_t>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
}

// Moves every finished block through the encoder into pages.
void Drain(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream, std::string& out)
{
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&dsp, &block) == 1)
    {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1)
        {
            ogg_stream_packetin(&stream, &packet);
            while (ogg_stream_pageout(&stream, &page) != 0)
                AppendPage(out, page);
        }
    }
}
} // namespace

std::string EncodeOggVorbis(const std::vector<std::int16_t>& samples, std::uint32_t channels, std::uint32_t rate,
                            float quality)
{
    if (channels == 0)
        return {};
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, static_cast<long>(channels), static_cast<long>(rate), quality) != 0)
    {
        vorbis_info_clear(&info);
        return {};
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 0x0C0FFEE0);

    std::string out;
    ogg_packet identification;
    ogg_packet comments;
    ogg_packet codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
    ogg_stream_packetin(&stream, &identification);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    ogg_page page;
    // Audio starts on a page of its own, as decoders expect.
    while (ogg_stream_flush(&stream, &page) != 0)
        AppendPage(out, page);

    const std::size_t frames = samples.size() / channels;
    constexpr std::size_t step = 1024;
    for (std::size_t first = 0; first < frames; first += step)
    {
        const std::size_t count = std::min(step, frames - first);
        float** planes = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        for (std::size_t frame = 0; frame < count; ++frame)
        {
            for (std::uint32_t channel = 0; channel < channels; ++channel)
                planes[channel][frame] = samples[(first + frame) * channels + channel] / 32768.0f;
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        Drain(dsp, block, stream, out);
    }
    vorbis_analysis_wrote(&dsp, 0);
    Drain(dsp, block, stream, out);
    while (ogg_stream_flush(&stream, &page) != 0)
        AppendPage(out, page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

} // namespace corvellan::content
