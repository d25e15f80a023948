#include "engine/render/RenderListSorter.h"

#include "engine/render/Model.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace OrvaneEngine
{
namespace
{

// Keys have 34 significant bits: the group in bits 32-33 above the depth.
constexpr unsigned DigitBits = 11;
constexpr std::size_t DigitValues = std::size_t{1} << DigitBits;
constexpr unsigned Digits = 4;
// Below this many models, moving keys into place one by one is quicker than
// merging, and below the second merging is quicker than counting digits.
constexpr std::size_t ShortList = 48;
constexpr std::size_t MediumList = 2048;

// The float's order as an unsigned integer's: negative values have every bit
// flipped, the others only their sign.
std::uint32_t Ordered(float value)
{
    // A NaN depth counts as 0, and -0 equals +0.
    if (std::isnan(value) || value == 0.0f)
        value = 0.0f;
    const auto bits = std::bit_cast<std::uint32_t>(value);
    return (bits & 0x80000000u) ? ~bits : bits | 0x80000000u;
}

} // namespace

std::uint64_t RenderListSorter::KeyOf(const Model* model)
{
    // Opaque first in ascending depth, then blended in descending depth, then
    // models of neither group all equal, as CompareModels orders them.
    const std::uint32_t flags = model->GetFlags();
    if (flags & Model::FlagOpaque)
        return Ordered(model->depth);
    if (flags & Model::FlagBlended)
        return (std::uint64_t{1} << 32) | ~Ordered(model->depth);
    return std::uint64_t{2} << 32;
}

void RenderListSorter::Sort(std::vector<Model*>& list)
{
    const std::size_t count = list.size();
    items.resize(count);
    for (std::size_t index = 0; index < count; ++index)
        items[index] = Item{KeyOf(list[index]), list[index]};

    if (count <= ShortList)
    {
        for (std::size_t index = 1; index < count; ++index)
        {
            const Item item = items[index];
            std::size_t at = index;
            for (; at > 0 && items[at - 1].key > item.key; --at)
                items[at] = items[at - 1];
            items[at] = item;
        }
    }
    else if (count <= MediumList)
    {
        // Bottom-up merges; taking from the left run on equal keys keeps the
        // order of equal keys.
        spare.resize(count);
        Item* from = items.data();
        Item* to = spare.data();
        for (std::size_t width = 1; width < count; width *= 2)
        {
            for (std::size_t left = 0; left < count; left += 2 * width)
            {
                const std::size_t middle = std::min(left + width, count);
                const std::size_t right = std::min(left + 2 * width, count);
                std::merge(from + left, from + middle, from + middle, from + right, to + left,
                           [](const Item& a, const Item& b) { return a.key < b.key; });
            }
            std::swap(from, to);
        }
        if (from != items.data())
            items.swap(spare);
    }
    else
    {
        // Least significant digit first; each pass keeps the order of equal
        // digits, so the whole sort keeps the order of equal keys.
        spare.resize(count);
        counts.assign(Digits * DigitValues, 0);
        for (const Item& item : items)
        {
            for (unsigned digit = 0; digit < Digits; ++digit)
                ++counts[digit * DigitValues + ((item.key >> (digit * DigitBits)) & (DigitValues - 1))];
        }
        for (unsigned digit = 0; digit < Digits; ++digit)
        {
            std::uint32_t* digitCounts = counts.data() + digit * DigitValues;
            const unsigned shift = digit * DigitBits;
            // A digit every key shares moves nothing.
            if (digitCounts[(items[0].key >> shift) & (DigitValues - 1)] == count)
                continue;
            std::uint32_t start = 0;
            for (std::size_t value = 0; value < DigitValues; ++value)
            {
                const std::uint32_t here = digitCounts[value];
                digitCounts[value] = start;
                start += here;
            }
            for (const Item& item : items)
                spare[digitCounts[(item.key >> shift) & (DigitValues - 1)]++] = item;
            items.swap(spare);
        }
    }

    for (std::size_t index = 0; index < count; ++index)
        list[index] = items[index].model;
}

} // namespace OrvaneEngine
