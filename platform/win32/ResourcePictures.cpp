#include "platform/win32/ResourcePictures.h"

#include <array>
#include <string_view>

namespace win32::detail
{
namespace
{

// 16 x 16 drawings, doubled to 32 x 32. '.' is clear, the other characters
// name colours.
using Drawing = std::array<std::string_view, 16>;

constexpr Drawing kPuzzlePiece = {
    "................", //
    "......oooo......", //
    ".....oyyyyo.....", //
    ".....oyyyyo.....", //
    ".oooooyyyyooooo.", //
    ".oyyyyyyyyyyyyo.", //
    ".oyyyyyyyyyyyyoo", //
    ".oyyyyyyyyyyyyyo", //
    ".oyyyyyyyyyyyyyo", //
    ".oyyyyyyyyyyyyoo", //
    ".oyyyyyyyyyyyyo.", //
    ".oyyyyyyyyyyyyo.", //
    ".oyyyyyyyyyyyyo.", //
    ".oyyyyyyyyyyyyo.", //
    ".oooooooooooooo.", //
    "................", //
};

constexpr Drawing kArrow = {
    "k...............", //
    "kk..............", //
    "kwk.............", //
    "kwwk............", //
    "kwwwk...........", //
    "kwwwwk..........", //
    "kwwwwwk.........", //
    "kwwwwwwk........", //
    "kwwwwwwwk.......", //
    "kwwwwwkkkk......", //
    "kwwkwwk.........", //
    "kwk.kwwk........", //
    "kk..kwwk........", //
    "k....kwwk.......", //
    ".....kwwk.......", //
    "......kk........", //
};

constexpr Drawing kTip = {
    "k...............", //
    "kk..............", //
    "kwk.............", //
    "kwwk.......kkkk.", //
    "kwwwk.....kyyyyk", //
    "kwwwwk....kykkyk", //
    "kwwwwwk......kyk", //
    "kwwwwwwk....kyk.", //
    "kwwwwwwwk..kyk..", //
    "kwwwwwkkkk.kyk..", //
    "kwwkwwk.....k...", //
    "kwk.kwwk...kyk..", //
    "kk..kwwk...kkk..", //
    "k....kwwk.......", //
    ".....kwwk.......", //
    "......kk........", //
};

constexpr Drawing kMagnet = {
    "k...............", //
    "kk..............", //
    "kwk.............", //
    "kwwk............", //
    "kwwwk...........", //
    "kwwwwk...rrrrr..", //
    "kwwwwwk.rrrrrrr.", //
    "kwwwwwwkrrr.rrr.", //
    "kwwwwwwwrr...rr.", //
    "kwwwwwkkrr...rr.", //
    "kwwkwwk.rr...rr.", //
    "kwk.kwwkww...ww.", //
    "kk..kwwkww...ww.", //
    "k....kwwk.......", //
    ".....kwwk.......", //
    "......kk........", //
};

std::uint32_t ColourOf(char c)
{
    switch (c)
    {
    case 'k':
        return 0xFF000000u;
    case 'w':
        return 0xFFFFFFFFu;
    case 'y':
        return 0xFFF0C040u;
    case 'o':
        return 0xFF604010u;
    case 'r':
        return 0xFFD02020u;
    default:
        return 0x00000000u;
    }
}

ResourcePicture Draw(const Drawing& drawing)
{
    ResourcePicture picture;
    picture.width = 32;
    picture.height = 32;
    picture.pixels.resize(32 * 32);
    for (std::size_t y = 0; y < 32; ++y)
        for (std::size_t x = 0; x < 32; ++x)
            picture.pixels[y * 32 + x] = ColourOf(drawing[y / 2][x / 2]);
    return picture;
}

} // namespace

ResourcePicture MakeIconPicture(std::uint32_t resourceId)
{
    if (resourceId != 101)
        return ResourcePicture{};
    return Draw(kPuzzlePiece);
}

ResourcePicture MakeCursorPicture(std::uint32_t resourceId)
{
    switch (resourceId)
    {
    case 1000:
        return Draw(kArrow);
    case 107:
        return Draw(kTip);
    case 106:
        return Draw(kMagnet);
    default:
        return ResourcePicture{};
    }
}

} // namespace win32::detail
