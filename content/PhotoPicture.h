#pragma once

#include <cstdint>

namespace OrvaneEngine
{
class Image;
}

namespace corvellan::content
{

// A deterministic 24-bit picture that compresses like a photograph: a sky and
// ground of soft gradients, a sun, hills, blocks of houses and fine noise,
// all from the seed.
void MakePhotoPicture(OrvaneEngine::Image& image, std::uint32_t width, std::uint32_t height, std::uint32_t seed);

} // namespace corvellan::content
