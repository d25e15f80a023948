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
    // Stage s's totem filling a size x size square, its silhouette opaque
    // and the rest clear: the mini game's picture and the map's totem.
    static void DrawTotem(DataCanvas& canvas, float x, float y, float size, std::uint32_t stage);
    // 512 x 512 with the totem in the bottom-left 300 x 300.
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
