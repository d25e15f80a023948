#pragma once

#include "engine/core/Color.h"

#include <string>

namespace OrvaneEngine
{

// One piece of a console row; the pieces of a row sit side by side and only
// the last one ends it.
struct ConsoleLine
{
    Color color{1.0f, 1.0f, 1.0f, 1.0f};
    std::u16string text;
    bool endsRow = false;
    float width = 0.0f;
};

} // namespace OrvaneEngine
