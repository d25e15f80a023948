#include "game/PackItem.h"

namespace Mirabel
{

bool ComparePackItemArea(const PackItem* a, const PackItem* b)
{
    return std::int64_t{a->width} * a->height > std::int64_t{b->width} * b->height;
}

} // namespace Mirabel
