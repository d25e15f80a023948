#pragma once

#include "framework/GUIOptionsWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace Mirabel
{

// The options: sound and music volumes that follow their sliders live, the
// display mode stepped with two arrows, the fullscreen box, and APPLY,
// DEFAULTS and CANCEL.
class GUIOptionsWindow : public GameFramework::GUIOptionsWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t SliderPositions = 1001;
    static constexpr std::uint32_t SliderStep = 30;
    // "volume_slider", looped while the sound slider is dragged.
    static constexpr std::uint32_t TestSound = 0;

    GUIOptionsWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                     GameFramework::ProfileManagerBase* profileManager, GameData* gameData,
                     GUIMenuWindowManager* menuWindowManager, OrvaneEngine::GUIWindow* parent);
    ~GUIOptionsWindow() override;

    void Show() override;
    void Hide() override;
    void Update() override;

    std::unique_ptr<GUIControl> soundSlider;
    std::unique_ptr<GUIControl> musicSlider;
    std::unique_ptr<GUIControl> resolutionText;
    std::unique_ptr<GUIControl> leftArrow;
    std::unique_ptr<GUIControl> rightArrow;
    std::unique_ptr<GUIControl> fullscreenBoxControl;
    std::unique_ptr<GUIControl> applyControl;
    std::unique_ptr<GUIControl> defaultsControl;
    std::unique_ptr<GUIControl> cancelControl;

private:
    // The sliders stand where the controller's volumes are.
    void PlaceSliders();
};

} // namespace Mirabel
