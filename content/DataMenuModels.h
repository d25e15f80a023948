#pragma once

#include <string>

namespace corvellan::content
{

class DataStaging;

// The menu frames and their controls under data\ui\menus\models\ (the
// window kinds, the shared controls, options, profiles, the in-game menu)
// and the menu particle systems.
class DataMenuModels
{
public:
    static void Stage(DataStaging& staging);
    // A few small real files of the group's formats into <folder>/<target>/.
    static void WriteSeeds(const std::string& folder);
};

} // namespace corvellan::content
