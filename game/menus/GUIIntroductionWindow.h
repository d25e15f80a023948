#pragma once

#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace Mirabel
{

// The story, page by page, the first time a profile starts a game. A page
// change fades the old page out and the new one in.
class GUIIntroductionWindow : public GUIMenuWindow
{
public:
    static constexpr std::uint32_t LinesPerPage = 12;

    GUIIntroductionWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController,
                          GameData* gameData, GUIMenuWindowManager* menuWindowManager,
                          OrvaneEngine::GUIWindow* parent);
    ~GUIIntroductionWindow() override;

    void Show();
    void Hide();
    void Update() override;

    std::uint32_t result = 0;
    std::unique_ptr<GUIControl> continueControl;
    std::uint32_t lineCount = 0;
    // At least one, so that CONTINUE always leads on.
    std::uint32_t pageCount = 1;
    std::uint32_t currentPage = 0;
    std::uint32_t shownPage = 0;
    float textAlpha = 1.0f;
};

} // namespace Mirabel
