#include "engine/render/JpegFileSource.h"

#include "engine/core/FileBinary.h"

namespace OrvaneEngine
{

namespace
{

JpegFileSource* SourceOf(j_decompress_ptr decompressor)
{
    return reinterpret_cast<JpegFileSource*>(decompressor->src);
}

} // namespace

void InitJpegSource(j_decompress_ptr decompressor)
{
    SourceOf(decompressor)->startOfFile = TRUE;
}

boolean FillJpegSourceBuffer(j_decompress_ptr decompressor)
{
    JpegFileSource* source = SourceOf(decompressor);
    std::uint32_t count = 0;
    // Nothing may be thrown through the library's C frames.
    try
    {
        source->file->Read(source->buffer, JpegSourceBufferSize, &count);
    }
    catch (...)
    {
        count = 0;
    }
    if (count == 0)
    {
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
    }
    source->source.next_input_byte = source->buffer;
    source->source.bytes_in_buffer = count;
    source->startOfFile = FALSE;
    return TRUE;
}

void SkipJpegSourceData(j_decompress_ptr decompressor, long count)
{
    if (count <= 0)
    {
        return;
    }
    jpeg_source_mgr& source = SourceOf(decompressor)->source;
    while (static_cast<unsigned long>(count) > source.bytes_in_buffer)
    {
        count -= static_cast<long>(source.bytes_in_buffer);
        FillJpegSourceBuffer(decompressor);
    }
    source.next_input_byte += count;
    source.bytes_in_buffer -= static_cast<std::size_t>(count);
}

void TermJpegSource(j_decompress_ptr)
{
}

void SetJpegFileSource(j_decompress_ptr decompressor, FileBinary* file)
{
    if (decompressor->src == nullptr)
    {
        auto* common = reinterpret_cast<j_common_ptr>(decompressor);
        auto* source = static_cast<JpegFileSource*>(
            (*decompressor->mem->alloc_small)(common, JPOOL_PERMANENT, sizeof(JpegFileSource)));
        source->buffer = static_cast<JOCTET*>(
            (*decompressor->mem->alloc_small)(common, JPOOL_PERMANENT, JpegSourceBufferSize * sizeof(JOCTET)));
        decompressor->src = &source->source;
    }
    JpegFileSource* source = SourceOf(decompressor);
    source->source.init_source = InitJpegSource;
    source->source.fill_input_buffer = FillJpegSourceBuffer;
    source->source.skip_input_data = SkipJpegSourceData;
    source->source.resync_to_restart = jpeg_resync_to_restart;
    source->source.term_source = TermJpegSource;
    source->source.bytes_in_buffer = 0;
    source->source.next_input_byte = nullptr;
    source->file = file;
}

} // namespace OrvaneEngine
