#pragma once

#include "framework/GUIHighScoresWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace GameFramework
{
class ProfileManagerBase;
}

namespace Mirabel
{

// The high scores of one mode at a time, with a button that cross-fades to
// the other mode's table; the row just entered is highlighted. Once per
// profile, leaving after a lost arcade game leads to the relax-mode offer.
class GUIHighScoresWindow : public GameFramework::GUIHighScoresWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t RowFont = 3;
    static constexpr std::uint32_t HighlightFont = 4;

    GUIHighScoresWindow(OrvaneEngine::Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                        GameFramework::SoundController* soundController,
                        GameFramework::HighScoresTable* highScoresTable, GameData* gameData,
                        GUIMenuWindowManager* menuWindowManager, OrvaneEngine::GUIWindow* parent);
    ~GUIHighScoresWindow() override;

    void Show(std::uint32_t callerCode, const GameFramework::HighScoresTable::Row* highlightedRow) override;
    void Hide() override;
    void Update() override;

    GameFramework::ProfileManagerBase* profileManager;
    OrvaneEngine::GUIWindow* rankColumn = nullptr;
    OrvaneEngine::GUIWindow* nameColumn = nullptr;
    OrvaneEngine::GUIWindow* scoreColumn = nullptr;
    std::unique_ptr<GUIControl> modeControl;
    std::unique_ptr<GUIControl> okControl;
    std::uint32_t targetMode = 0;
    std::uint32_t shownMode = 0;
    float tableAlpha = 1.0f;
};

} // namespace Mirabel
