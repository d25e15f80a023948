#include "platform/vfw/AviFile.h"

#include "platform/vfw/AviStream.h"
#include "platform/vfw/HookTable.h"
#include "platform/win32/CFile.h"
#include "platform/win32/GdiTypes.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace vfw
{
namespace
{

constexpr std::int32_t kMaxSide = 16384;

} // namespace

AviFile::AviFile(const std::string& path) : file(path)
{
    detail::CountFile(1);
}

AviFile::~AviFile()
{
    Finish();
    detail::CountFile(-1);
}

std::uint32_t AviFile::Release()
{
    if (--references > 0)
        return references;
    delete this;
    return 0;
}

HRESULT AviFile::CreateStream(const AVISTREAMINFOA& streamInfo, PAVISTREAM* stream)
{
    if (stream == nullptr)
        return AVIERR_BADPARAM;
    *stream = nullptr;
    if (hasStream)
        return AVIERR_UNSUPPORTED;
    if (streamInfo.type != streamtypeVIDEO || streamInfo.scale == 0 || streamInfo.rate == 0)
        return AVIERR_BADPARAM;
    info = streamInfo;
    hasStream = true;
    *stream = new AviStream(this);
    return AVIERR_OK;
}

HRESULT AviFile::SetFormat(const void* data, std::int32_t size)
{
    if (data == nullptr || size < static_cast<std::int32_t>(sizeof(win32::BITMAPINFOHEADER)))
        return AVIERR_BADFORMAT;
    win32::BITMAPINFOHEADER header{};
    std::memcpy(&header, data, sizeof(header));
    const bool fullColour = header.bitCount == 24 || header.bitCount == 32;
    if (header.size < sizeof(header) || header.size > static_cast<std::uint32_t>(size) || !fullColour ||
        header.planes != 1 || header.compression != win32::BI_RGB || header.width <= 0 || header.height <= 0 ||
        header.width > kMaxSide || header.height > kMaxSide)
        return AVIERR_BADFORMAT;
    const std::uint64_t bytes = win32::DibRowBytes(static_cast<std::uint64_t>(header.width), header.bitCount) *
                                static_cast<std::uint64_t>(header.height);
    if (header.sizeImage != 0 && header.sizeImage != bytes)
        return AVIERR_BADFORMAT;

    const auto* first = static_cast<const std::uint8_t*>(data);
    std::vector<std::uint8_t> given(first, first + size);
    if (!format.empty())
        return given == format ? AVIERR_OK : AVIERR_UNSUPPORTED;
    if (!hasStream || !IsOpen())
        return AVIERR_UNSUPPORTED;

    format = std::move(given);
    width = header.width;
    height = header.height;
    imageSize = static_cast<std::uint32_t>(bytes);
    end = detail::GetHeaderSize(format.size());
    if (!WriteHeader())
    {
        format.clear();
        return AVIERR_FILEWRITE;
    }
    return AVIERR_OK;
}

HRESULT AviFile::Write(std::int32_t start, std::int32_t samples, const void* buffer, std::int32_t size,
                       std::uint32_t flags)
{
    if (format.empty())
        return AVIERR_BADFORMAT;
    if (buffer == nullptr || samples != 1 || start < 0 || static_cast<std::size_t>(start) != index.size())
        return AVIERR_BADPARAM;
    // Frames of another size would make the stream unreadable.
    if (size < 0 || static_cast<std::uint32_t>(size) != imageSize)
        return AVIERR_BADSIZE;
    if (broken)
        return AVIERR_FILEWRITE;
    const std::uint32_t padded = imageSize + (imageSize & 1);
    const std::uint64_t grown = end + 8 + padded + detail::GetIndexBytes(index.size() + 1);
    const detail::HookTable* hooks = detail::Hooks();
    if (grown > (hooks != nullptr ? hooks->sizeCap(kMovieSizeCap) : kMovieSizeCap))
        return AVIERR_FILEWRITE;

    const std::vector<std::uint8_t> chunk = detail::BuildFrameChunkHeader(imageSize);
    const std::uint8_t pad = 0;
    if (!WriteBytes(chunk.data(), chunk.size()) || !WriteBytes(buffer, imageSize) ||
        (padded != imageSize && !WriteBytes(&pad, 1)))
    {
        RollBack();
        return AVIERR_FILEWRITE;
    }
    const std::uint64_t movieStart = detail::GetMovieListStart(format.size());
    index.push_back({static_cast<std::uint32_t>(end - movieStart), imageSize, flags & AVIIF_KEYFRAME});
    end += 8 + padded;
    return AVIERR_OK;
}

bool AviFile::WriteBytes(const void* data, std::size_t size)
{
    return win32::fwrite(data, 1, size, file.GetStream()) == size;
}

bool AviFile::WriteHeader()
{
    const std::size_t firstFrame = detail::GetHeaderSize(format.size());
    const detail::AviHeaderValues values{info,
                                         &format,
                                         width,
                                         height,
                                         imageSize,
                                         static_cast<std::uint32_t>(index.size()),
                                         static_cast<std::uint32_t>(end - firstFrame),
                                         detail::GetIndexBytes(index.size())};
    const std::vector<std::uint8_t> header = detail::BuildHeader(values);
    return win32::fseek(file.GetStream(), 0, SEEK_SET) == 0 && WriteBytes(header.data(), header.size()) &&
           win32::fseek(file.GetStream(), static_cast<std::int64_t>(end), SEEK_SET) == 0;
}

void AviFile::RollBack()
{
    if (win32::fseek(file.GetStream(), static_cast<std::int64_t>(end), SEEK_SET) != 0)
        broken = true;
}

bool AviFile::Finish()
{
    if (!IsOpen())
        return false;
    if (format.empty() || broken)
    {
        file.Discard();
        return false;
    }
    const std::vector<std::uint8_t> indexBytes = detail::BuildIndex(index);
    if (!WriteBytes(indexBytes.data(), indexBytes.size()) || !WriteHeader())
    {
        file.Discard();
        return false;
    }
    // A frame write that failed halfway may have left bytes beyond the index.
    std::FILE* stream = file.GetStream();
    const std::int64_t size = static_cast<std::int64_t>(end + indexBytes.size());
    if (win32::fflush(stream) != 0 || ::ftruncate(::fileno(stream), size) != 0)
    {
        file.Discard();
        return false;
    }
    return file.Commit();
}

} // namespace vfw
