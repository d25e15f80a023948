#pragma once

#include "game/menus/GUIMenuWindow.h"

#include <array>
#include <memory>
#include <vector>

namespace OrvaneEngine
{
class AnimationControl;
}

namespace GameFramework
{
class ProfileManagerBase;
}

namespace Mirabel
{

// Before the first level of a new game: an animated picture of play, in a
// loop, with a drawn mouse that shows which button is pressed. The profile
// may switch it off; then the screen never opens and answers at once.
class GUITutorialWindow : public GUIMenuWindow
{
public:
    enum Picture : std::uint32_t
    {
        Background,
        ClosedElement,
        Element0,
        Element1,
        Element2,
        Element3,
        MousePath,
        Mouse,
        PictureCount
    };
    static constexpr float PauseSeconds = 1.5f;

    GUITutorialWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                      GameFramework::ProfileManagerBase* profileManager, GameData* gameData,
                      GUIMenuWindowManager* menuWindowManager, OrvaneEngine::GUIWindow* parent);
    ~GUITutorialWindow() override;

    void Show();
    void Hide();
    void Update() override;

    // The mouse picture's frame at the mouse path's frame f: 2 and 1 picture
    // the pressed buttons, 0 none.
    static std::uint32_t MouseFrame(float f);
    OrvaneEngine::AnimationControl* Animation(Picture picture) const;

    GameFramework::ProfileManagerBase* profileManager;
    std::uint32_t result = 0;
    // The game's flow copies the profile's tutorial flag here before Show.
    std::uint8_t showFlag = 1;
    std::uint8_t skipPending = 0;
    std::unique_ptr<GUIControl> backControl;
    std::unique_ptr<GUIControl> continueControl;
    std::unique_ptr<GUIControl> doNotShowControl;
    std::array<OrvaneEngine::GUIWindow*, PictureCount> pictures{};
    // Every picture but the mouse path, which only guides the others.
    std::vector<OrvaneEngine::GUIWindow*> pictureList;
    float pauseClock = 0.0f;

private:
    void StopLoop();
};

} // namespace Mirabel
