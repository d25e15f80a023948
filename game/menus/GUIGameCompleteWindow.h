#pragma once

#include "framework/GUIGameCompleteWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace Mirabel
{

// The closing text of the game, five lines a page, each click fading one
// page out and the next in; the click past the last page answers.
class GUIGameCompleteWindow : public GameFramework::GUIGameCompleteWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t LinesPerPage = 5;

    GUIGameCompleteWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                          GameData* gameData, GUIMenuWindowManager* menuWindowManager,
                          OrvaneEngine::GUIWindow* parent);
    ~GUIGameCompleteWindow() override;

    void Show() override;
    void Hide() override;
    void Update() override;
    // False: the screen never opens and answers at once.
    void SetEnabled(bool on) { enabled = on; }

    std::unique_ptr<GUIControl> continueControl;
    bool enabled = true;
    bool passOn = false;
    std::uint32_t lineCount = 0;
    std::uint32_t pageCount = 0;
    std::uint32_t page = 0;
    std::uint32_t shownPage = 0;
    float pageAlpha = 1.0f;
};

} // namespace Mirabel
