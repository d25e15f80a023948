#pragma once

#include "framework/GUILevelCompleteWindowBase.h"
#include "game/menus/GUIMenuWindow.h"

#include <memory>

namespace GameFramework
{
class ProfileManagerBase;
}

namespace Mirabel
{

// The result of a won level: the times, the time bonus counted into the
// profile's score with a looping sound, and the stage's totem filling up.
class GUILevelCompleteWindow : public GameFramework::GUILevelCompleteWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t SoundCharge = 4;
    static constexpr std::uint32_t BonusPerSecond = 75;

    GUILevelCompleteWindow(OrvaneEngine::Engine* engine, GameData* gameData,
                           GameFramework::SoundController* soundController,
                           GameFramework::LevelManagerBase* levelManager,
                           GameFramework::ProfileManagerBase* profileManager, GUIMenuWindowManager* menuWindowManager,
                           OrvaneEngine::GUIWindow* parent);
    ~GUILevelCompleteWindow() override;

    void Show(GameFramework::LevelRecord* levelRecord, float levelTime) override;
    void Hide() override;
    void Update() override;

    // "m:ss".
    static std::u16string TimeText(std::uint32_t seconds);

    std::unique_ptr<GUIControl> pictureControl;
    std::unique_ptr<GUIControl> backTotemControl;
    std::unique_ptr<GUIControl> frontTotemControl;
    OrvaneEngine::GUIWindow* valueWindow = nullptr;
    std::unique_ptr<GUIControl> continueControl;
    std::uint8_t closing = 0;
    float bonusClock = 0.0f;
    std::int32_t bonusShown = 0;
    float totemClock = 0.0f;

private:
    void UpdateTotem(float dt);
    void UpdateBonus(float dt, std::uint32_t aceTime, std::uint32_t yourTime);
    void Label(const std::string& key, float y);
    void Value(const std::u16string& text, float y);
    void NameLine();

    GameFramework::ProfileManagerBase* profileManager;
};

} // namespace Mirabel
