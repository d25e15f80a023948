#include "game/menus/GUIContinueGameLogicWindow.h"

#include "engine/core/StringFunctions.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"

#include <string>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr std::uint32_t ValueFont = 4;

} // namespace

GUIContinueGameLogicWindow::GUIContinueGameLogicWindow(Engine* engine, GameFramework::SoundController* soundController,
                                                       GameData* gameData,
                                                       GameFramework::ProfileManagerBase* profileManager,
                                                       GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUIContinueGameLogicWindowBase(engine),
      GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 1, parent),
      profileManager(profileManager)
{
    const GUIMenuButtons::Models models = GUIMenuButtons::Big(*gameData);
    continueControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->bigWindowButtons[2], models);
    newGameControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->bigWindowButtons[1], models);
    cancelControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->bigWindowButtons[0], models);
    valueColumn = guiManager->CreateWindow(GUIWindow::FlagShown, Vector2(510.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr,
                                           frameWindow);
    labelColumn = guiManager->CreateWindow(GUIWindow::FlagShown, Vector2(289.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr,
                                           frameWindow);
    SetTitle("CONTINUE_GAME_LOGIC_TITLE");
}

GUIContinueGameLogicWindow::~GUIContinueGameLogicWindow()
{
    continueControl.reset();
    newGameControl.reset();
    cancelControl.reset();
    guiManager->ReleaseWindow(valueColumn);
    guiManager->ReleaseWindow(labelColumn);
}

void GUIContinueGameLogicWindow::Show()
{
    GUIContinueGameLogicWindowBase::Show();
    SetOpen(1);
    score = profileManager->currentProfile != nullptr ? profileManager->currentProfile->score : 0;
}

void GUIContinueGameLogicWindow::Hide()
{
    GUIContinueGameLogicWindowBase::Hide();
    SetOpen(0);
}

void GUIContinueGameLogicWindow::Update()
{
    GUIContinueGameLogicWindowBase::Update();
    GUIMenuWindow::Update();
    if (frameWindow == nullptr || !frameWindow->visible)
        return;
    if (GUIMenuButtons::Clicked(*this, *continueControl))
        result = 14;
    if (GUIMenuButtons::Clicked(*this, *newGameControl))
        result = 13;
    if (GUIMenuButtons::Clicked(*this, *cancelControl))
        result = 3;
    for (std::int32_t i = 0; i < 3; ++i)
        frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 267.0f - 22.0f * static_cast<float>(i)),
                                  color, "CONTINUE_GAME_LOGIC_TEXT_", i);

    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    std::u16string modeText;
    std::u16string levelText;
    if (profile != nullptr)
    {
        modeText = textManager->GetText(profile->mode != 0 ? "CONTINUE_GAME_LOGIC_GAME_MODE_RELAX"
                                                           : "CONTINUE_GAME_LOGIC_GAME_MODE_ARCADE");
        levelText = UIntToStringW(profile->nextStage + 1, 0) + u"-" + UIntToStringW(profile->nextLevel + 1, 0);
    }
    const struct
    {
        float y;
        const char* key;
        std::u16string value;
    } rows[] = {{275.0f, "CONTINUE_GAME_LOGIC_GAME_MODE", modeText},
                {254.0f, "CONTINUE_GAME_LOGIC_LEVEL", levelText},
                {233.0f, "CONTINUE_GAME_LOGIC_SCORE", UIntToStringW(score, 0)}};
    for (const auto& row : rows)
    {
        labelColumn->AddWideText(4, GUIMenuButtons::BodyFont, Vector2(0.0f, row.y), color,
                                 textManager->GetText(row.key) + u":");
        valueColumn->AddWideText(8, ValueFont, Vector2(0.0f, row.y), color, row.value);
    }
    GUIMenuButtons::Label(*this, *continueControl, "CONTINUE_GAME_LOGIC_CONTINUE_GAME");
    GUIMenuButtons::Label(*this, *newGameControl, "CONTINUE_GAME_LOGIC_NEW_GAME");
    GUIMenuButtons::Label(*this, *cancelControl, "CANCEL");
}

} // namespace Mirabel
