#pragma once

#include "framework/GUILoadingWindowBase.h"

namespace Mirabel
{

class GUIBackgroundWindow;
class GUIGameCursor;

// Loads the game's resources once, behind the menu background's "LOADING",
// then hands them to the cursor and the background.
class GUIGameLoadingWindow : public GameFramework::GUILoadingWindowBase
{
public:
    GUIGameLoadingWindow(OrvaneEngine::Engine* engine, GUIGameCursor* cursor, GUIBackgroundWindow* background);
    ~GUIGameLoadingWindow() override;

    void Update() override;

    GUIGameCursor* cursor;
    GUIBackgroundWindow* background;
};

} // namespace Mirabel
