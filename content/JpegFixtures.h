#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace OrvaneEngine
{
class Image;
}

namespace corvellan::content
{

// Compressor settings the engine's own writer never uses.
struct JpegOptions
{
    int quality = 85;
    bool progressive = false;
    unsigned restartInterval = 0; // MCUs between restart markers; 0 for none
    std::size_t appSegmentBytes = 0; // an APP1 segment of that many data bytes
    bool optimiseHuffman = false;
    bool cmyk = false; // four components: C, M, Y, K from 255 − R, G, B and 0
};

// The image (8 bits: greyscale; 24 bits: colour) compressed with libjpeg,
// top row first; empty when the library refuses.
std::string Jpeg(const OrvaneEngine::Image& image, const JpegOptions& options);

} // namespace corvellan::content
