#include "engine/sound/SoundFileReaderOGG.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/sound/OggFileSource.h"

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

namespace OrvaneEngine
{
namespace
{
const std::string incorrectFormat = " sound file - incorrect format";
// A damaged stream may report one gap after another; past this many in a row
// it is taken as ended.
constexpr int maximumHoles = 64;

// The library's own reason for refusing a stream, for the log.
std::string VorbisReason(int code)
{
    switch (code)
    {
    case OV_EREAD: return "a read from the file failed";
    case OV_ENOTVORBIS: return "the file holds no Vorbis data";
    case OV_EVERSION: return "the Vorbis version does not match";
    case OV_EBADHEADER: return "a Vorbis header is damaged";
    case OV_EFAULT: return "the decoder failed inside";
    default: return "error code " + std::to_string(code);
    }
}
} // namespace

SoundFileReaderOGG::SoundFileReaderOGG(MessageManager* messages, FileManager* files, const std::string& fileName)
    : SoundFileReader(messages, files, fileName)
{
    Open();
}

SoundFileReaderOGG::SoundFileReaderOGG(MessageManager* messages, std::unique_ptr<FileBinary> openFile,
                                       const std::string& fileName)
    : SoundFileReader(messages, std::move(openFile), fileName)
{
    Open();
}

SoundFileReaderOGG::~SoundFileReaderOGG()
{
    Close();
}

void SoundFileReaderOGG::Open()
{
    bits = 16;
    source = std::make_unique<OggFileSource>(file.get());
    decoder = std::make_unique<OggVorbis_File>();
    const ov_callbacks callbacks{&OggFileSource::Read, &OggFileSource::Seek, &OggFileSource::Close,
                                 &OggFileSource::Tell};
    // On failure the library has already released what it made.
    if (const int refused = ov_open_callbacks(source.get(), decoder.get(), nullptr, 0, callbacks); refused < 0)
    {
        // Logged on its own line; the caller logs the refusal's own text next.
        if (messageManager)
            messageManager->Error("The Vorbis library refused the stream: " + VorbisReason(refused));
        throw FileError(LoadErrorText(incorrectFormat));
    }
    open = true;

    const vorbis_info* info = ov_info(decoder.get(), -1);
    const ogg_int64_t samples = ov_pcm_total(decoder.get(), -1);
    if (!info || info->channels <= 0 || info->rate <= 0 || info->rate > INT_MAX || samples < 0)
    {
        Close();
        throw FileError(LoadErrorText(incorrectFormat));
    }
    channels = static_cast<std::uint32_t>(info->channels);
    sampleRate = static_cast<std::uint32_t>(info->rate);
    const std::uint64_t frameBytes = std::uint64_t{channels} * 2;
    const std::uint64_t largest = UINT32_MAX - UINT32_MAX % frameBytes;
    // In 64 bits and limited to whole frames below 4 GiB: a hostile length
    // must not wrap to a small size.
    const std::uint64_t total = static_cast<std::uint64_t>(samples);
    dataSize = static_cast<std::uint32_t>(total > largest / frameBytes ? largest : total * frameBytes);
}

void SoundFileReaderOGG::Close()
{
    if (open)
        ov_clear(decoder.get());
    open = false;
}

void SoundFileReaderOGG::Rewind()
{
    ov_pcm_seek(decoder.get(), 0);
}

void SoundFileReaderOGG::Read(void* destination, std::uint32_t wanted, std::uint32_t* delivered, bool* end)
{
    *delivered = 0;
    *end = wanted == 0;
    auto* bytes = static_cast<char*>(destination);
    const std::uint32_t frameBytes = channels * 2;
    std::uint32_t got = 0;
    int holes = 0;
    while (wanted - got >= frameBytes)
    {
        int section = 0;
        const int length = static_cast<int>(std::min<std::uint32_t>(wanted - got, INT_MAX));
        const long result = ov_read(decoder.get(), bytes + got, length, 0, 2, 1, &section);
        if (result > 0)
        {
            // A chained stream may change its channel count; the frames that
            // follow would not fit this reader's format.
            const vorbis_info* info = ov_info(decoder.get(), -1);
            if (!info || static_cast<std::uint32_t>(info->channels) != channels || result % frameBytes != 0)
            {
                *end = true;
                break;
            }
            got += static_cast<std::uint32_t>(result);
            holes = 0;
            continue;
        }
        if (result == OV_HOLE && ++holes <= maximumHoles)
            continue;
        // 0 is the end of the stream; any other failure ends the data too.
        *end = true;
        break;
    }
    *delivered = got;
}

} // namespace OrvaneEngine
