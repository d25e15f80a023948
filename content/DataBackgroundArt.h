#pragma once

#include "content/DataCanvas.h"

#include <cstdint>
#include <string>

namespace corvellan::content
{

// The pictures of the menu background: the landscape's layers, the unicorn,
// the foreground's frame and panels, the logos and the cursor. Everything is
// drawn from code; the same call always gives the same picture.
class DataBackgroundArt
{
public:
    // Layer pictures are 1024 x 1024 and hold the 800 x 600 screen with this
    // margin on every side (screen y up from the bottom of the picture), so
    // that a layer may drift by less than the margin without showing an edge.
    static constexpr std::uint32_t LayerSide = 1024;
    static constexpr float LayerMargin = 32.0f;

    // "sky", "clouds", "hills", "village", "castle" or "tower".
    static DataCanvas Layer(const std::string& name);
    // The unicorn in one 256 x 256 picture; phase 0..1 runs its animation.
    static DataCanvas Unicorn(float phase);
    // The menu's border: the 800 x 600 screen at half size in the bottom-left
    // of a 512 x 512 picture.
    static DataCanvas Frame();
    // A panel of the given size: parchment in a gold rim (the text panel), or
    // dark wood (the mounts).
    static DataCanvas Panel(std::uint32_t width, std::uint32_t height, bool parchment);
    // The maker's emblem and wordmark, 256 x 64.
    static DataCanvas MakerLogo(const std::string& fontFolder);
    // The publisher's card: small (256 x 128) or big (1024 x 1024 with the
    // card in the bottom-left 800 x 600).
    static DataCanvas PublisherLogo(const std::string& fontFolder, bool big);
    // The title lettering, gold with a dark edge, filling a picture of the size.
    static DataCanvas Lettering(const std::string& ttfPath, const std::u16string& text, std::uint32_t width,
                                std::uint32_t height);
    // The pointer, 64 x 64, its tip in the top-left pixel.
    static DataCanvas Cursor();
    // Particle sprites, 32 x 32: "bird" or "sparkle".
    static DataCanvas Sprite(const std::string& name);
};

} // namespace corvellan::content
