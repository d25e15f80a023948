#pragma once

#include "engine/core/MessageManager.h"
#include "engine/render/Image.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{

using Bytes = std::vector<std::uint8_t>;

// A log that keeps its entries in memory only.
inline std::unique_ptr<OrvaneEngine::MessageManager> MakeMemoryLog()
{
    return std::make_unique<OrvaneEngine::MessageManager>("Test", false, false, "", "");
}

inline void MakeImage(OrvaneEngine::Image& image, std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                      const Bytes& bytes, OrvaneEngine::MessageManager* log = nullptr)
{
    image.Create(log, width, height, bits);
    std::copy(bytes.begin(), bytes.end(), image.GetPixels());
}

inline Bytes PixelBytes(const OrvaneEngine::Image& image)
{
    const std::size_t size = std::size_t{image.GetWidth()} * image.GetHeight() * image.GetBitsPerPixel() / 8;
    return Bytes(image.GetPixels(), image.GetPixels() + size);
}

// The bytes of pixel (x, y), y counted from the bottom row.
inline Bytes PixelAt(const OrvaneEngine::Image& image, std::uint32_t x, std::uint32_t y)
{
    const std::size_t bytes = image.GetBitsPerPixel() / 8;
    const std::uint8_t* at = image.GetPixels() + (std::size_t{y} * image.GetWidth() + x) * bytes;
    return Bytes(at, at + bytes);
}

// Every entry of the log at the error level, as written.
inline std::vector<std::string> ErrorTexts(OrvaneEngine::MessageManager& log, std::uint32_t level = 2)
{
    std::vector<std::string> texts;
    for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
    {
        const auto& entry = log.GetMessage(static_cast<std::uint32_t>(i));
        if (entry.level == level)
        {
            texts.push_back(entry.text);
        }
    }
    return texts;
}

} // namespace corvellan::test
