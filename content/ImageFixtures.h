#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Image;
}

// Image files for tests and fuzz seeds. The variants the engine writes come
// from the engine's own writers; the functions here add those it never writes.
namespace corvellan::content
{

// The image as Image::SaveBMP, SaveTGA or SaveJPEG (by extension: "bmp",
// "tga", "jpg") writes it; empty when that fails.
std::string EngineImageFile(OrvaneEngine::Image& image, const std::string& extension, std::uint32_t quality = 85);

// An 8-bit BMP: one index per pixel, bottom row first, and 256 palette
// entries given as 0xRRGGBB.
std::string Bmp8(std::uint32_t width, std::uint32_t height, const std::vector<std::uint8_t>& indices,
                 const std::vector<std::uint32_t>& palette);
// The engine's BMP of the image with gap bytes between the header (and
// palette) and the rows; the data offset and file size say so.
std::string BmpWithGap(OrvaneEngine::Image& image, std::uint32_t gap);

// How a TGA file is laid out.
struct TgaLayout
{
    std::uint32_t depth = 24;      // bits per stored pixel
    bool runLength = false;        // packets run across row ends
    bool topLeft = true;           // descriptor bit 5: top row first
    std::string id;                // the ID field
    std::uint16_t mapLength = 0;   // colour-map entries (zero bytes)
    std::uint8_t mapEntryBits = 0; // bits per colour-map entry
};

// A TGA of stored pixel bytes (rows in the order the layout stores them).
std::string Tga(std::uint32_t width, std::uint32_t height, const TgaLayout& layout, const std::string& stored);
// The image's picture as a TGA of that layout: 8 bits as indices with a grey
// map, 16 bits (from a 32-bit image: 5 bits per colour, the alpha's top bit),
// 24 and 32 bits as B, G, R(, A).
std::string TgaFromImage(const OrvaneEngine::Image& image, const TgaLayout& layout);
// Run-length packets over pixels of pixelBytes each: repeats of two or more
// become repeat packets, the rest raw packets, at most 128 pixels each.
std::string RunLengthPackets(const std::string& pixels, std::size_t pixelBytes);

} // namespace corvellan::content
