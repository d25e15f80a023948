#pragma once

#include "framework/GUILoadingWindowBase.h"

namespace OrvaneEngine
{
class Engine;
}

namespace Mirabel
{

// Stands in for the start-up loading screen until the game's screens exist:
// it loads the game data it is shown with on the loading worker, behind an
// empty screen, and then reports nothing, so the program waits there until it
// is closed.
class GUILoadingWindowPlaceholder : public GameFramework::GUILoadingWindowBase
{
public:
    explicit GUILoadingWindowPlaceholder(OrvaneEngine::Engine* engine);

    void Show(GameFramework::DataKeeper* dataKeeper) override;
};

} // namespace Mirabel
