#pragma once

#include "framework/GUILogosWindowBase.h"

namespace OrvaneEngine
{
class Engine;
}

namespace Mirabel
{

// Stands in for the logos screen until the game's screens exist: it shows
// nothing and is done at its first update, so the loading screen follows.
class GUILogosWindowPlaceholder : public GameFramework::GUILogosWindowBase
{
public:
    explicit GUILogosWindowPlaceholder(OrvaneEngine::Engine* engine);

    void Update() override;

private:
    bool updated = false;
};

} // namespace Mirabel
