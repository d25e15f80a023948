#include "platform/vfw/VideoForWindows.h"

#include "platform/vfw/AviFile.h"
#include "platform/vfw/AviStream.h"
#include "platform/vfw/HookTable.h"

#include <atomic>

namespace vfw
{

using detail::TakeFailure;
using detail::VfwCall;

namespace
{
constexpr std::uint32_t kVersion = 0x010A0000u;
std::atomic<std::int32_t> libraryUses{0};
} // namespace

namespace detail
{
std::int32_t GetLibraryUseCount()
{
    return libraryUses;
}
} // namespace detail

std::uint32_t VideoForWindowsVersion()
{
    std::uint32_t version = kVersion;
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr && hooks->reportedVersion(version))
        return version;
    return kVersion;
}

void AVIFileInit()
{
    ++libraryUses;
}

void AVIFileExit()
{
    // Never below zero, however many extra exits come.
    std::int32_t uses = libraryUses;
    while (uses > 0 && !libraryUses.compare_exchange_weak(uses, uses - 1))
    {
    }
}

HRESULT AVIFileOpenA(PAVIFILE* file, const char* path, std::uint32_t mode, const void* handler)
{
    if (file == nullptr)
        return AVIERR_BADPARAM;
    *file = nullptr;
    if (libraryUses <= 0)
        return AVIERR_ERROR;
    if (path == nullptr || *path == '\0' || handler != nullptr)
        return AVIERR_BADPARAM;
    if ((mode & (OF_CREATE | OF_WRITE)) != (OF_CREATE | OF_WRITE))
        return AVIERR_UNSUPPORTED;
    if (TakeFailure(VfwCall::FileOpen))
        return AVIERR_FILEOPEN;
    auto* opened = new AviFile(path);
    if (!opened->IsOpen())
    {
        opened->Release();
        return AVIERR_FILEOPEN;
    }
    *file = opened;
    return AVIERR_OK;
}

HRESULT AVIFileCreateStreamA(PAVIFILE file, PAVISTREAM* stream, const AVISTREAMINFOA* info)
{
    if (stream != nullptr)
        *stream = nullptr;
    if (file == nullptr || stream == nullptr || info == nullptr)
        return AVIERR_BADPARAM;
    if (TakeFailure(VfwCall::CreateStream))
        return AVIERR_MEMORY;
    return file->CreateStream(*info, stream);
}

win32::BOOL AVISaveOptions(win32::HWND, std::uint32_t, std::int32_t streamCount, PAVISTREAM* streams,
                           AVICOMPRESSOPTIONS** options)
{
    if (streamCount <= 0 || streams == nullptr || options == nullptr)
        return win32::FALSE;
    for (std::int32_t i = 0; i < streamCount; ++i)
        if (streams[i] == nullptr || options[i] == nullptr)
            return win32::FALSE;
    if (const detail::HookTable* hooks = detail::Hooks(); hooks != nullptr && hooks->isSaveOptionsCancelled())
        return win32::FALSE;
    for (std::int32_t i = 0; i < streamCount; ++i)
        *options[i] = AVICOMPRESSOPTIONS{streamtypeVIDEO, kUncompressedHandler, 1, 0, 0, 0};
    return win32::TRUE;
}

HRESULT AVIMakeCompressedStream(PAVISTREAM* compressed, PAVISTREAM source, const AVICOMPRESSOPTIONS* options,
                                const void* handler)
{
    if (compressed != nullptr)
        *compressed = nullptr;
    if (compressed == nullptr || source == nullptr || options == nullptr || handler != nullptr)
        return AVIERR_BADPARAM;
    if (TakeFailure(VfwCall::MakeCompressedStream))
        return AVIERR_NOCOMPRESSOR;
    if (options->handler != 0 && options->handler != kUncompressedHandler)
        return AVIERR_NOCOMPRESSOR;
    *compressed = new AviStream(source);
    return AVIERR_OK;
}

HRESULT AVIStreamSetFormat(PAVISTREAM stream, std::int32_t position, const void* format, std::int32_t formatSize)
{
    if (stream == nullptr)
        return AVIERR_BADPARAM;
    if (position != 0)
        return AVIERR_UNSUPPORTED;
    if (TakeFailure(VfwCall::SetFormat))
        return AVIERR_BADFORMAT;
    return stream->SetFormat(format, formatSize);
}

HRESULT AVIStreamWrite(PAVISTREAM stream, std::int32_t start, std::int32_t samples, const void* buffer,
                       std::int32_t bufferSize, std::uint32_t flags, std::int32_t* samplesWritten,
                       std::int32_t* bytesWritten)
{
    if (samplesWritten != nullptr)
        *samplesWritten = 0;
    if (bytesWritten != nullptr)
        *bytesWritten = 0;
    if (stream == nullptr)
        return AVIERR_BADPARAM;
    if (TakeFailure(VfwCall::StreamWrite))
        return AVIERR_FILEWRITE;
    const HRESULT result = stream->Write(start, samples, buffer, bufferSize, flags);
    if (SUCCEEDED(result))
    {
        if (samplesWritten != nullptr)
            *samplesWritten = samples;
        if (bytesWritten != nullptr)
            *bytesWritten = bufferSize;
    }
    return result;
}

std::uint32_t AVIStreamRelease(PAVISTREAM stream)
{
    return stream != nullptr ? stream->Release() : 0;
}

std::uint32_t AVIFileRelease(PAVIFILE file)
{
    return file != nullptr ? file->Release() : 0;
}

} // namespace vfw
