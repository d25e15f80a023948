#pragma once

#include "tools/XMLValue.h"

#include <string>

namespace GameTools
{

// One attribute of an element, owned by it.
struct XMLAttribute
{
    std::string name;
    XMLValue value;
};

} // namespace GameTools
