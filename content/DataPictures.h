#pragma once

#include <array>
#include <cstdint>

namespace OrvaneEngine
{
class Image;
}

namespace corvellan::content
{

// The kinds of puzzle picture the data set draws.
enum class PictureFamily : std::uint32_t
{
    Landscape,
    StainedGlass,
    Mandala,
    Skyline,
    Patchwork,
    StarField,
};

// Five colours, darkest first, that a picture is painted from.
using PicturePalette = std::array<std::uint32_t, 5>;

// The puzzle pictures of the data set, drawn from code: the same family,
// palette and seed always give the same pixels.
class DataPictures
{
public:
    static constexpr std::uint32_t PaletteCount = 7;
    static const PicturePalette& Palette(std::uint32_t index);
    // A 24-bit picture of the size.
    static void Draw(OrvaneEngine::Image& image, std::uint32_t width, std::uint32_t height, PictureFamily family,
                     std::uint32_t palette, std::uint32_t seed);
};

} // namespace corvellan::content
