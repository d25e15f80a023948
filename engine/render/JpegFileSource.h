#pragma once

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace OrvaneEngine
{

class FileBinary;

// The JPEG library's data source over one of our files, read 4096 bytes at a
// time. When the file has no more bytes it hands out an end-of-image marker,
// so a cut file decodes up to where it ends.
struct JpegFileSource
{
    jpeg_source_mgr source;
    FileBinary* file;
    JOCTET* buffer;
    boolean startOfFile;
};

constexpr std::size_t JpegSourceBufferSize = 4096;

// Installs the source on the decompressor; its record and buffer come from
// the library's permanent pool and are made once per decompressor.
void SetJpegFileSource(j_decompress_ptr decompressor, FileBinary* file);

void InitJpegSource(j_decompress_ptr decompressor);
boolean FillJpegSourceBuffer(j_decompress_ptr decompressor);
void SkipJpegSourceData(j_decompress_ptr decompressor, long count);
void TermJpegSource(j_decompress_ptr decompressor);

} // namespace OrvaneEngine
