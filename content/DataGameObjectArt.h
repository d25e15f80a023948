#pragma once

#include "content/DataCanvas.h"

#include <cstdint>
#include <string>

namespace corvellan::content
{

// The pictures of the game's play objects, drawn from code.
class DataGameObjectArt
{
public:
    // 512 x 512 with stage s's totem in the bottom-left 300 x 300, its
    // silhouette opaque and the rest clear.
    static DataCanvas TotemTexture(std::uint32_t stage);

    static DataCanvas Blank();
    // Pointing up.
    static DataCanvas Arrow();
    static DataCanvas CellBorder();
    static DataCanvas HoleBack();
    static DataCanvas HoleLip();
    static DataCanvas Glow();
    static DataCanvas Spark();
    // Drawn for a 44 x 40 quad.
    static DataCanvas Carriage();
    // "magnet", "pause", "rollback" or "tip".
    static DataCanvas Bonus(const std::string& name);
};

} // namespace corvellan::content
