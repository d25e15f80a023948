#pragma once

namespace corvellan::content
{

class DataStaging;

// The shared controls under data\ui\menus\models\controls\ (buttons, arrows,
// check box, scroll bars and their parts, the totem) and the menu particle
// systems under data\ui\menus\particles\.
class DataMenuControls
{
public:
    static void Stage(DataStaging& staging);
};

} // namespace corvellan::content
