#include "game/menus/GUIHighScoresWindow.h"

#include "engine/core/TimerManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/Profile.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"

#include <algorithm>
#include <string>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr float FadeInRate = 2.0f;
constexpr float FadeOutRate = 4.0f;
// A game over seen after a lost arcade game.
constexpr std::uint32_t CallerGameOver = 11;
constexpr std::uint32_t CallerMainMenu = 2;

} // namespace

GUIHighScoresWindow::GUIHighScoresWindow(Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                                         GameFramework::SoundController* soundController,
                                         GameFramework::HighScoresTable* highScoresTable, GameData* gameData,
                                         GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIHighScoresWindowBase(highScoresTable),
      GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 1, parent),
      profileManager(profileManager)
{
    auto column = [this](float x) {
        return guiManager->CreateWindow(GUIWindow::FlagShown, Vector2(x, 0.0f), Vector2(0.0f, 0.0f), nullptr,
                                        frameWindow);
    };
    rankColumn = column(290.0f);
    nameColumn = column(295.0f);
    scoreColumn = column(525.0f);
    const GUIMenuButtons::Models models = GUIMenuButtons::Big(*gameData);
    modeControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->bigWindowButtons[1], models);
    okControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->bigWindowButtons[0], models);
    SetTitle("HIGH_SCORES_TITLE");
}

GUIHighScoresWindow::~GUIHighScoresWindow()
{
    for (GUIWindow* column : {rankColumn, nameColumn, scoreColumn})
        guiManager->ReleaseWindow(column);
}

void GUIHighScoresWindow::Show(std::uint32_t callerCodeIn, const GameFramework::HighScoresTable::Row* row)
{
    GUIHighScoresWindowBase::Show(callerCodeIn, row);
    SetOpen(1);
    targetMode = profileManager->currentProfile != nullptr ? profileManager->currentProfile->mode : 0;
    shownMode = targetMode;
    tableAlpha = 1.0f;
}

void GUIHighScoresWindow::Hide()
{
    GUIHighScoresWindowBase::Hide();
    SetOpen(0);
}

void GUIHighScoresWindow::Update()
{
    GUIHighScoresWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    if (GUIMenuButtons::Clicked(*this, *modeControl))
        targetMode = targetMode == 0 ? 1 : 0;
    if (GUIMenuButtons::Clicked(*this, *okControl))
    {
        auto* profile = static_cast<Profile*>(profileManager->currentProfile);
        if (profile != nullptr && profile->relaxOfferFlag != 0 && profile->mode == 0 && callerCode == CallerGameOver)
        {
            profile->relaxOfferFlag = 0;
            profile->Save();
            result = 26;
        }
        else
            result = 3;
    }

    const float dt = timerManager->frameTime;
    if (shownMode != targetMode)
    {
        tableAlpha -= FadeOutRate * dt;
        if (tableAlpha < 0.0f)
        {
            tableAlpha = 0.0f;
            shownMode = targetMode;
        }
    }
    else
        tableAlpha = std::min(tableAlpha + FadeInRate * dt, 1.0f);

    Color tableColor = color;
    tableColor.a *= tableAlpha;
    frameWindow->AddTextByKey(1, GUIMenuButtons::LabelFont, Vector2(0.0f, 283.0f), tableColor,
                              shownMode != 0 ? "HIGH_SCORES_RELAX_MODE_TITLE" : "HIGH_SCORES_ARCADE_MODE_TITLE");
    const std::uint32_t count = highScoresTable->GetCount(shownMode);
    if (count == 0)
        frameWindow->AddTextByKey(1, RowFont, Vector2(0.0f, 261.0f), tableColor, "HIGH_SCORES_NO_RECORDS");
    for (std::uint32_t i = 0; i < count; ++i)
    {
        const GameFramework::HighScoresTable::Row* row = highScoresTable->GetEntry(shownMode, i);
        if (row == nullptr)
            continue;
        const std::uint32_t font = row == highlightedRow ? HighlightFont : RowFont;
        const Vector2 place(0.0f, 355.0f - 19.0f * static_cast<float>(i));
        rankColumn->AddWideText(8, font, place, tableColor, UIntToStringW(i + 1, 0) + u".");
        nameColumn->AddWideText(4, font, place, tableColor, row->name);
        scoreColumn->AddWideText(8, font, place, tableColor, UIntToStringW(row->score, 0));
    }
    modeControl->widget->AddTextByKey(3, GUIMenuButtons::LabelFont, Vector2(0.0f, 0.0f), tableColor,
                                      shownMode == 1 ? "HIGH_SCORES_ARCADE_MODE_BUTTON"
                                                     : "HIGH_SCORES_RELAX_MODE_BUTTON");
    GUIMenuButtons::Label(*this, *okControl, callerCode == CallerMainMenu ? "BACK" : "OK");
}

} // namespace Mirabel
