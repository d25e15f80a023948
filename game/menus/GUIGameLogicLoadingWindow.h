#pragma once

#include "framework/GUILoadingWindowBase.h"

namespace Mirabel
{

class GUIMenuWindowManager;
class GUIUnicorn;
class LevelManager;

// Loads one level's picture data each time a level starts. The load waits
// until the background has printed "LOADING", so that the player sees the
// whole word before the frame blocks.
class GUIGameLogicLoadingWindow : public GameFramework::GUILoadingWindowBase
{
public:
    GUIGameLogicLoadingWindow(OrvaneEngine::Engine* engine, LevelManager* levelManager,
                              GUIMenuWindowManager* menuWindowManager, GUIUnicorn* unicorn);
    ~GUIGameLogicLoadingWindow() override;

    void Show(GameFramework::DataKeeper* dataKeeper) override;
    void Hide() override;
    void Update() override;

    GUIMenuWindowManager* menuWindowManager;
    LevelManager* levelManager;
    GUIUnicorn* unicorn;
    bool active = false;
    bool printed = false;
};

} // namespace Mirabel
