#include "game/PackPlanner.h"

#include <algorithm>
#include <cmath>

namespace Mirabel
{
namespace
{

constexpr float OverlapTolerance = 0.0001f;
constexpr std::int32_t CellGrowth = 2 * PackItem::Margin;

struct Candidate
{
    bool found = false;
    PackItem* anchor = nullptr;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint32_t rowLevel = 0;
};

// Touching cells do not overlap.
bool Overlaps(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, const PackItem& placed)
{
    const float halfWidthA = static_cast<float>(width) * 0.5f;
    const float halfHeightA = static_cast<float>(height) * 0.5f;
    const float halfWidthB = static_cast<float>(placed.rightEdge - placed.x) * 0.5f;
    const float halfHeightB = static_cast<float>(placed.lowerEdge - placed.y) * 0.5f;
    const float centreXA = static_cast<float>(x) + halfWidthA;
    const float centreYA = static_cast<float>(y) + halfHeightA;
    const float centreXB = static_cast<float>(placed.x) + halfWidthB;
    const float centreYB = static_cast<float>(placed.y) + halfHeightB;
    return std::fabs(centreXA - centreXB) <= halfWidthA + halfWidthB - OverlapTolerance &&
           std::fabs(centreYA - centreYB) <= halfHeightA + halfHeightB - OverlapTolerance;
}

// The first anchor, in placement order, whose side is free and next to which
// the cell fits inside the page without overlapping a placed cell.
Candidate FindCandidate(bool rightSide, std::int32_t pageWidth, std::int32_t pageHeight,
                        const std::vector<PackItem*>& items, std::size_t placed, std::int32_t cellWidth,
                        std::int32_t cellHeight)
{
    for (std::size_t a = 0; a < placed; ++a)
    {
        PackItem* anchor = items[a];
        if (!(rightSide ? anchor->rightSideFree : anchor->lowerSideFree))
            continue;
        const std::int64_t x = rightSide ? std::int64_t{anchor->x} + anchor->width + CellGrowth : anchor->x;
        const std::int64_t y = rightSide ? anchor->y : std::int64_t{anchor->y} + anchor->height + CellGrowth;
        if (x + cellWidth > pageWidth || y + cellHeight > pageHeight)
            continue;
        const auto ix = static_cast<std::int32_t>(x);
        const auto iy = static_cast<std::int32_t>(y);
        bool free = true;
        for (std::size_t other = 0; other < placed && free; ++other)
            free = !Overlaps(ix, iy, cellWidth, cellHeight, *items[other]);
        if (free)
            return {true, anchor, ix, iy, rightSide ? anchor->rowLevel : anchor->rowLevel + 1};
    }
    return {};
}

void Place(PackItem& item, std::int32_t x, std::int32_t y, std::uint32_t rowLevel)
{
    item.x = x;
    item.y = y;
    item.rightEdge = x + item.width + CellGrowth;
    item.lowerEdge = y + item.height + CellGrowth;
    item.rowLevel = rowLevel;
    item.rightSideFree = 1;
    item.lowerSideFree = 1;
}

bool FitsEmptyPage(const PackItem& item, std::int32_t pageWidth, std::int32_t pageHeight)
{
    return item.width >= 0 && item.height >= 0 && std::int64_t{item.width} + CellGrowth <= pageWidth &&
           std::int64_t{item.height} + CellGrowth <= pageHeight;
}

} // namespace

std::size_t PackPlanner::PlaceLeadingRun(std::int32_t pageWidth, std::int32_t pageHeight,
                                         const std::vector<PackItem*>& items)
{
    if (items.empty())
        return 0;
    if (!FitsEmptyPage(*items[0], pageWidth, pageHeight))
        return 0;
    Place(*items[0], 0, 0, 0);
    for (std::size_t k = 1; k < items.size(); ++k)
    {
        PackItem& item = *items[k];
        if (!FitsEmptyPage(item, pageWidth, pageHeight))
            return k;
        const std::int32_t cellWidth = item.width + CellGrowth;
        const std::int32_t cellHeight = item.height + CellGrowth;
        const Candidate right = FindCandidate(true, pageWidth, pageHeight, items, k, cellWidth, cellHeight);
        const Candidate lower = FindCandidate(false, pageWidth, pageHeight, items, k, cellWidth, cellHeight);
        if (!right.found && !lower.found)
            return k;
        const bool takeRight = right.found && (!lower.found || right.rowLevel < lower.rowLevel);
        const Candidate& taken = takeRight ? right : lower;
        if (takeRight)
            taken.anchor->rightSideFree = 0;
        else
            taken.anchor->lowerSideFree = 0;
        Place(item, taken.x, taken.y, taken.rowLevel);
    }
    return items.size();
}

std::vector<PackPlanner::Page> PackPlanner::CandidateSizes()
{
    std::vector<Page> sizes{{SmallestPage, SmallestPage}};
    while (sizes.back().width < LargestPage || sizes.back().height < LargestPage)
    {
        Page next = sizes.back();
        if (next.width <= next.height)
            next.width *= 2;
        else
            next.height *= 2;
        sizes.push_back(next);
    }
    return sizes;
}

std::string PackPlanner::Plan(std::vector<PackItem*>& items, const std::string& packName, std::vector<Page>& pages)
{
    std::stable_sort(items.begin(), items.end(), ComparePackItemArea);
    for (std::size_t i = 0; i < items.size(); ++i)
    {
        items[i]->name = std::to_string(i);
        if (items[i]->source)
            items[i]->source->name = items[i]->name;
    }

    const std::vector<Page> sizes = CandidateSizes();
    std::size_t next = 0;
    while (next < items.size())
    {
        std::vector<PackItem*> run(items.begin() + static_cast<std::ptrdiff_t>(next), items.end());
        const std::size_t count = PlaceLeadingRun(LargestPage, LargestPage, run);
        if (count == 0)
        {
            // Without this the loop would make no progress for ever.
            const PackItem& item = *run.front();
            return "Texture pack \"" + packName + "\": an image of " + std::to_string(item.width) + " x " +
                   std::to_string(item.height) + " pixels fits on no page of " + std::to_string(LargestPage) +
                   " x " + std::to_string(LargestPage);
        }
        run.resize(count);
        Page page = sizes.back();
        for (const Page& size : sizes)
        {
            if (PlaceLeadingRun(size.width, size.height, run) == count)
            {
                page = size;
                break;
            }
        }
        const auto width = static_cast<float>(page.width);
        const auto height = static_cast<float>(page.height);
        for (PackItem* item : run)
        {
            item->uMin = static_cast<float>(item->x + PackItem::Margin) / width;
            item->vMin = static_cast<float>(item->y + PackItem::Margin) / height;
            item->uMax = static_cast<float>(item->rightEdge - PackItem::Margin) / width;
            item->vMax = static_cast<float>(item->lowerEdge - PackItem::Margin) / height;
            item->pageIndex = static_cast<std::uint32_t>(pages.size());
        }
        pages.push_back(page);
        next += count;
    }
    return {};
}

} // namespace Mirabel
