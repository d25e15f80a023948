#pragma once

// The movie calls the screen capture makes: our own writer of uncompressed
// AVI files. There is no compressor to choose: every movie holds full
// frames as they are given. Main thread only.

#include "platform/vfw/Types.h"

#include <cstdint>

namespace vfw
{

// The library's version: major in the high byte of the high word, minor in
// its low byte (0x010A: 1.10).
std::uint32_t VideoForWindowsVersion();

// Counted: the library is usable while more AVIFileInit than AVIFileExit
// calls were made.
void AVIFileInit();
void AVIFileExit();

// Only OF_CREATE | OF_WRITE: a new movie under that path text, written to
// "<path>.tmp" beside it through the C runtime file calls until its last
// release. The handler must be null.
HRESULT AVIFileOpenA(PAVIFILE* file, const char* path, std::uint32_t mode, const void* handler);
// The file's one stream: video ("vids"), with a scale and a rate.
HRESULT AVIFileCreateStreamA(PAVIFILE file, PAVISTREAM* stream, const AVISTREAMINFOA* info);
// Answers "full frames, uncompressed" for each stream (TRUE), or FALSE when
// the choice was cancelled.
win32::BOOL AVISaveOptions(win32::HWND window, std::uint32_t flags, std::int32_t streamCount,
                           PAVISTREAM* streams, AVICOMPRESSOPTIONS** options);
// A stream that stores what it is given in the source stream; only the
// uncompressed handler (or none) is known.
HRESULT AVIMakeCompressedStream(PAVISTREAM* compressed, PAVISTREAM source, const AVICOMPRESSOPTIONS* options,
                                const void* handler);
// The format at position 0: a bitmap header of 24 or 32 bits, uncompressed,
// bottom-up, with its colour table when it has one.
HRESULT AVIStreamSetFormat(PAVISTREAM stream, std::int32_t position, const void* format, std::int32_t formatSize);
// One frame at the stream's end. Refused when its size is not the format's
// image size, when the file would grow past its size cap (1 GiB), or when
// the disk write fails; the frames written before stay a valid movie.
HRESULT AVIStreamWrite(PAVISTREAM stream, std::int32_t start, std::int32_t samples, const void* buffer,
                       std::int32_t bufferSize, std::uint32_t flags, std::int32_t* samplesWritten,
                       std::int32_t* bytesWritten);
// Each returns the references left. The file is complete under its name
// when its last reference (its streams hold one each) has gone.
std::uint32_t AVIStreamRelease(PAVISTREAM stream);
std::uint32_t AVIFileRelease(PAVIFILE file);

} // namespace vfw

namespace vfw::detail
{

// AVIFileInit calls not yet matched by AVIFileExit.
std::int32_t GetLibraryUseCount();

} // namespace vfw::detail
