#pragma once

#include "game/PackItem.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Mirabel
{

// Where the packer puts its images: pages of 32 x 32 up to 1024 x 1024, each
// holding the longest leading run of the remaining images, largest first.
// Works on plain rectangles; making the textures is the texture pack's part.
class PackPlanner
{
public:
    static constexpr std::int32_t LargestPage = 1024;
    static constexpr std::int32_t SmallestPage = 32;

    struct Page
    {
        std::int32_t width = 0;
        std::int32_t height = 0;
    };

    // Places the items in list order on one page of that size and returns how
    // many were placed before the first that did not fit. Placing item k never
    // depends on the items after it, so the placement of a run equals that of
    // any shorter list that starts the same way.
    static std::size_t PlaceLeadingRun(std::int32_t pageWidth, std::int32_t pageHeight,
                                       const std::vector<PackItem*>& items);

    // Sorts the items largest first, names them (and their records) by their
    // sorted position, and gives each its page, place and texture
    // coordinates. The pages are appended in order. An error text (nothing
    // placed for sure) when an image fits no page at all.
    static std::string Plan(std::vector<PackItem*>& items, const std::string& packName, std::vector<Page>& pages);

    // 32 x 32, 64 x 32, 64 x 64, ... up to 1024 x 1024.
    static std::vector<Page> CandidateSizes();
};

} // namespace Mirabel
