#include "game/PuzzlePixels.h"

#include "engine/core/Color.h"
#include "engine/render/Image.h"

#include <cstring>

namespace Mirabel
{

std::vector<std::uint8_t> PuzzlePixels::UnpackMask(const std::uint8_t* packed, std::uint32_t pixels)
{
    std::vector<std::uint8_t> mask(pixels);
    for (std::uint32_t p = 0; p < pixels; ++p)
        mask[p] = static_cast<std::uint8_t>((packed[p / 8] >> (p % 8)) & 1);
    return mask;
}

std::vector<OrvaneEngine::Vector2> PuzzlePixels::SamplePoints(const PuzzleLayout::Piece& piece)
{
    std::vector<OrvaneEngine::Vector2> points;
    for (std::int32_t column = 0; column < piece.width; column += SampleStep)
    {
        for (std::int32_t row = 0; row < piece.height; row += SampleStep)
        {
            if (piece.mask[static_cast<std::size_t>(row) * static_cast<std::size_t>(piece.width) +
                           static_cast<std::size_t>(column)])
                points.emplace_back(static_cast<float>(piece.x + column), static_cast<float>(piece.y + row));
        }
    }
    return points;
}

void PuzzlePixels::CutPieceImage(OrvaneEngine::MessageManager* log, const OrvaneEngine::Image& picture,
                                 const std::vector<std::uint8_t>& edges, const PuzzleLayout::Piece& piece,
                                 OrvaneEngine::Image& image)
{
    const auto width = static_cast<std::uint32_t>(piece.width);
    const auto height = static_cast<std::uint32_t>(piece.height);
    const std::size_t pictureWidth = picture.GetWidth();
    image.Create(log, width, height, 32);
    std::memset(image.GetPixels(), 0, std::size_t{width} * height * 4);
    const std::uint8_t* source = picture.GetPixels();
    std::uint8_t* target = image.GetPixels();
    for (std::uint32_t row = 0; row < height; ++row)
    {
        const std::size_t pictureRow = static_cast<std::size_t>(piece.y) + row;
        for (std::uint32_t column = 0; column < width; ++column)
        {
            const std::size_t at = pictureRow * pictureWidth + static_cast<std::size_t>(piece.x) + column;
            std::uint8_t* pixel = target + (std::size_t{row} * width + column) * 4;
            std::memcpy(pixel, source + at * 3, 3);
            if (piece.mask[std::size_t{row} * width + column])
                pixel[3] = static_cast<std::uint8_t>(255 - edges[at]);
        }
    }
}

void PuzzlePixels::MakeOverlay(OrvaneEngine::MessageManager* log, const std::vector<std::uint8_t>& edges,
                               std::uint32_t pictureWidth, std::uint32_t pictureHeight,
                               const OrvaneEngine::Color& line, OrvaneEngine::Image& image)
{
    image.Create(log, BoardWidth, BoardHeight, 32);
    image.Fill(line);
    std::uint8_t* pixels = image.GetPixels();
    for (std::uint32_t row = 0; row < pictureHeight; ++row)
    {
        for (std::uint32_t column = 0; column < pictureWidth; ++column)
            pixels[(std::size_t{row} * BoardWidth + column) * 4 + 3] = edges[std::size_t{row} * pictureWidth + column];
    }
}

void PuzzlePixels::MakeBoardPicture(const OrvaneEngine::Image& picture, OrvaneEngine::Image& image)
{
    image.Create(picture.GetLog(), BoardWidth, BoardHeight, 24);
    image.Fill(OrvaneEngine::Color(1.0f, 1.0f, 1.0f, 0.0f));
    image.Paste(0, 0, picture);
}

void PuzzlePixels::Desaturate(const OrvaneEngine::Image& source, OrvaneEngine::Image& image)
{
    image.Create(source.GetLog(), source.GetWidth(), source.GetHeight(), 24);
    const std::size_t count = std::size_t{source.GetWidth()} * source.GetHeight();
    const std::uint8_t* from = source.GetPixels();
    std::uint8_t* to = image.GetPixels();
    for (std::size_t i = 0; i < count; ++i, from += 3, to += 3)
    {
        const float mean = static_cast<float>(from[0] + from[1] + from[2]) / 3.0f;
        for (int channel = 0; channel < 3; ++channel)
            to[channel] = static_cast<std::uint8_t>(0.2f * static_cast<float>(from[channel]) + 0.8f * mean);
    }
}

} // namespace Mirabel
