#include "game/menus/GUILevelCompleteWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelRecord.h"
#include "framework/LevelResult.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundController.h"
#include "framework/StageRecord.h"
#include "game/GameData.h"
#include "game/GameLevelRecord.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIModelFrame.h"

#include <algorithm>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr float LabelX = 67.0f;
constexpr std::uint32_t ValueFont = 4;
constexpr std::uint32_t NameFont = 5;
constexpr float Finished = 100000.0f;

} // namespace

GUILevelCompleteWindow::GUILevelCompleteWindow(Engine* engine, GameData* gameData,
                                               GameFramework::SoundController* soundController,
                                               GameFramework::LevelManagerBase* levelManager,
                                               GameFramework::ProfileManagerBase* profileManagerIn,
                                               GUIMenuWindowManager* menuWindowManager, GUIWindow* parent)
    : GUILevelCompleteWindowBase(engine, levelManager),
      GUIMenuWindow(engine, soundController, gameData, menuWindowManager, 1, parent), profileManager(profileManagerIn)
{
    const GUIMenuButtons::Models picture{gameData->levelCompleteFrame, nullptr, gameData->levelCompleteFrame};
    const GUIMenuButtons::Models totem{gameData->controlsTotem, nullptr, nullptr};
    pictureControl =
        GUIMenuButtons::Add(*this, engine, gameData, GUIControl::Picture, gameData->levelCompleteFrame, picture);
    backTotemControl =
        GUIMenuButtons::Add(*this, engine, gameData, GUIControl::Picture, gameData->levelCompleteTotem, totem);
    frontTotemControl =
        GUIMenuButtons::Add(*this, engine, gameData, GUIControl::Picture, gameData->levelCompleteTotem, totem);
    backTotemControl->widget->level = 2;
    frontTotemControl->widget->level = 3;
    valueWindow = guiManager->CreateWindow(GUIWindow::FlagShown, Vector2(249.0f, 95.0f), Vector2(243.0f, 0.0f),
                                           static_cast<const Model*>(nullptr), frameWindow);
    continueControl = GUIMenuButtons::AddButton(*this, engine, gameData, gameData->bigWindowButtons[0],
                                                GUIMenuButtons::Big(*gameData));
    SetTitle("LEVEL_COMPLETE_TITLE");
}

GUILevelCompleteWindow::~GUILevelCompleteWindow()
{
    guiManager->ReleaseWindow(valueWindow);
}

std::u16string GUILevelCompleteWindow::TimeText(std::uint32_t seconds)
{
    const std::uint32_t rest = seconds % 60;
    const std::string text = std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
    return std::u16string(text.begin(), text.end());
}

void GUILevelCompleteWindow::Show(GameFramework::LevelRecord* levelRecord, float levelTimeIn)
{
    GUILevelCompleteWindowBase::Show(levelRecord, levelTimeIn);
    SetOpen(1);
    needsTextAreaPanel = 1;
    closing = 0;
    bonusClock = 0.0f;
    bonusShown = 0;
    totemClock = 0.0f;
    GUIModelFrame::SetClamped(backTotemControl->widget, stageIndex * 2 + 1);
    GUIModelFrame::SetClamped(frontTotemControl->widget, stageIndex * 2);
}

void GUILevelCompleteWindow::Hide()
{
    GUILevelCompleteWindowBase::Hide();
    closing = 0;
}

void GUILevelCompleteWindow::Update()
{
    GUILevelCompleteWindowBase::Update();
    GUIMenuWindow::Update();
    const bool last = stageIndex < levelManager->stages.size() &&
                      levelIndex + 1 == levelManager->stages[stageIndex]->levelCount;
    if (frameWindow == nullptr || !frameWindow->visible)
    {
        if (closing != 0 && menuWindowManager->IsFadeFinished())
            result = last ? 20 : 13;
        return;
    }
    const float dt = timerManager->frameTime;
    if (GUIMenuButtons::Clicked(*this, *continueControl))
    {
        SetOpen(0);
        menuWindowManager->StartFadeIn();
        closing = 1;
        bonusClock = Finished;
        totemClock = Finished;
    }
    UpdateTotem(dt);

    const GameFramework::ProfileBase* profile = profileManager->currentProfile;
    const auto* record = stageIndex < levelManager->levels.size() && levelIndex < levelManager->levels[stageIndex].size()
                             ? dynamic_cast<const GameLevelRecord*>(levelManager->levels[stageIndex][levelIndex].get())
                             : nullptr;
    const std::uint32_t yourTime = static_cast<std::uint32_t>(levelTime);
    Label("LEVEL_COMPLETE_YOUR_TIME", 131.0f);
    Value(TimeText(yourTime), 131.0f);
    if (profile != nullptr && record != nullptr)
    {
        const std::uint32_t aceTime = profile->mode == 0 ? record->arcadeAceTime : record->relaxAceTime;
        Label("LEVEL_COMPLETE_ACE_TIME", 114.0f);
        Value(TimeText(aceTime), 114.0f);
        UpdateBonus(dt, aceTime, yourTime);
        if (const GameFramework::LevelResult* best = profile->FindLevelResult(stageIndex, levelIndex))
        {
            Label("LEVEL_COMPLETE_BEST_TIME", 70.0f);
            Value(TimeText(static_cast<std::uint32_t>(best->time)), 70.0f);
        }
        NameLine();
    }
    GUIMenuButtons::Label(*this, *continueControl, "CONTINUE");
}

void GUILevelCompleteWindow::UpdateTotem(float dt)
{
    totemClock += dt;
    const float n = stageIndex < levelManager->stages.size()
                        ? static_cast<float>(std::max<std::uint32_t>(levelManager->stages[stageIndex]->levelCount, 1))
                        : 1.0f;
    const float level = static_cast<float>(levelIndex);
    const float k = std::clamp((totemClock - 1.0f) * 0.75f, 0.0f, 1.0f);
    const float progress = (1.0f - k) * level / n + k * (level + 1.0f) / n;
    frontTotemControl->widget->SetColor(Color(1.0f, 1.0f, 1.0f, progress * color.a));
}

void GUILevelCompleteWindow::UpdateBonus(float dt, std::uint32_t aceTime, std::uint32_t yourTime)
{
    if (!(static_cast<float>(aceTime) > levelTime))
    {
        Label("LEVEL_COMPLETE_NO_TIME_BONUS", 94.0f);
        return;
    }
    if (color.a > 0.9999f)
        bonusClock += dt;
    const float seconds = static_cast<float>(aceTime - yourTime);
    const float counted = std::min(seconds, std::max(bonusClock - 0.2f, 0.0f) * 18.0f);
    const auto bonus = static_cast<std::int32_t>(counted * static_cast<float>(BonusPerSecond));
    const std::int32_t delta = bonus - bonusShown;
    bonusShown = bonus;
    Label("LEVEL_COMPLETE_TIME_BONUS", 94.0f);
    const std::string text = std::to_string(bonus);
    Value(std::u16string(text.begin(), text.end()), 94.0f);
    const bool playing = GUIMenuWindow::soundController->GetSoundState(SoundCharge) == 0;
    if (delta == 0)
    {
        if (playing)
            GUIMenuWindow::soundController->StopSound(SoundCharge);
        return;
    }
    GameFramework::ProfileBase* profile = profileManager->currentProfile;
    profile->score += static_cast<std::uint32_t>(delta);
    if (!playing)
        GUIMenuWindow::soundController->PlaySound(SoundCharge);
    // Nothing else saves the profile before the next level starts: quitting
    // in between would lose the bonus.
    if (bonus == static_cast<std::int32_t>(seconds * static_cast<float>(BonusPerSecond)))
        profile->Save();
}

void GUILevelCompleteWindow::Label(const std::string& key, float y)
{
    frameWindow->AddTextByKey(0, GUIMenuButtons::BodyFont, Vector2(LabelX, y), color, key);
}

void GUILevelCompleteWindow::Value(const std::u16string& text, float y)
{
    valueWindow->AddWideText(8, ValueFont, Vector2(0.0f, y), color, text);
}

void GUILevelCompleteWindow::NameLine()
{
    static const std::u16string Placeholder = u"%PROFILE_NAME%";
    const Vector2 start(LabelX, 53.0f);
    std::u16string line = textManager->GetText("LEVEL_COMPLETE_BEST_TIME_NAME");
    const std::size_t at = ToLowerW(line).find(ToLowerW(Placeholder));
    if (at == std::u16string::npos)
    {
        frameWindow->AddWideText(0, NameFont, start, color, line);
        return;
    }
    const std::u16string& name = profileManager->currentProfile->name;
    ReplaceAllNoCaseW(line, Placeholder, name);
    float x = start.x;
    for (std::size_t i = 0; i < line.size(); ++i)
    {
        const std::uint32_t font = i >= at && i < at + name.size() ? NameFont : GUIMenuButtons::BodyFont;
        const std::u16string glyph(1, line[i]);
        frameWindow->AddWideText(0, font, Vector2(x, start.y), color, glyph);
        if (const GUIFont* measure = fontManager->GetFont(font))
            x += measure->MeasureText(glyph, 0.0f).x;
    }
}

} // namespace Mirabel
