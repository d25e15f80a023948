#pragma once

#include <string>

namespace corvellan::content
{

class DataStaging;

// The menu background (its layers, foreground, titles and the unicorn),
// the publisher logo and the custom cursor.
class DataBackground
{
public:
    static void Stage(DataStaging& staging);
    // A few small real files of the group's formats into <folder>/<target>/.
    static void WriteSeeds(const std::string& folder);
};

} // namespace corvellan::content
