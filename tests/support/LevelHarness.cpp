#include "tests/support/LevelHarness.h"

#include "engine/core/Engine.h"
#include "engine/core/Random.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "framework/ProfileBase.h"
#include "framework/SoundController.h"
#include "game/GameData.h"
#include "game/GameLogic.h"
#include "game/GameLogicData.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIGameCursor.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"


namespace corvellan::test
{
namespace
{

// The level's language texts, each with something to find in a test.
const struct
{
    const char* key;
    const char16_t* text;
} LevelTexts[] = {
    {"GAME_LOGIC_COMBO", u"Combo x%COMBO%"},
    {"GAME_LOGIC_BLOCKED_ELEMENT", u"Blocked"},
    {"GAME_LOGIC_BONUS_MAGNET", u"Magnet"},
    {"GAME_LOGIC_BONUS_PAUSE", u"Pause"},
    {"GAME_LOGIC_BONUS_ROLL_BACK", u"Roll back"},
    {"GAME_LOGIC_BONUS_TIP", u"Tip"},
};

} // namespace

LevelHarness::LevelHarness() : LevelHarness(Options{})
{
}

LevelHarness::LevelHarness(const Options& options_) : fixture(EngineFixture::Options{true}), options(options_)
{
    LevelData::Write(fixture.folder.Path(), options.data);
    win32::testing::SetFakeMilliseconds(clock);
    fixture.Start();
    OrvaneEngine::Engine& engine = *fixture.engine;
    engine.guiManager->SetScreenSize(800.0f, 600.0f);
    mouse = std::make_unique<LevelMouse>(engine);
    for (const auto& text : LevelTexts)
        engine.guiManager->GetTextManager()->SetText(text.key, text.text);

    soundController = std::make_unique<GameFramework::SoundController>(&engine, 0.5f, 0.5f);
    soundController->AddMusic(1, LevelData::MusicFile(), true);
    for (const LevelData::Sound& sound : LevelData::Sounds())
        soundController->AddSound(sound.id, sound.file, sound.looping, 1);

    profileManager =
        std::make_unique<Mirabel::ProfileManager>(&engine, soundController.get(), fixture.folder.Join("profiles"));
    GameFramework::ProfileBase* profile = profileManager->CreateProfile(u"Player");
    profile->mode = options.relax ? 1 : 0;
    profileManager->currentProfile = profile;

    cursor = std::make_unique<Mirabel::GUIGameCursor>(&engine);
    gameData = std::make_unique<Mirabel::GameData>(&engine, "en");
    gameData->Load();

    levelRecord.puzzleFolder = LevelData::PuzzleName;
    levelData = std::make_unique<Mirabel::GameLogicData>(&engine, "en", &stageRecord, &levelRecord);
    levelData->Load();
    MakeLogic();
    Frame();
}

LevelHarness::~LevelHarness()
{
    logic.reset();
    mouse.reset();
    levelData.reset();
    gameData.reset();
    cursor.reset();
    profileManager.reset();
    soundController.reset();
    fixture.Stop();
    win32::testing::ResetMultimediaTimer();
}

void LevelHarness::MakeLogic()
{
    logic.reset();
    OrvaneEngine::SeedRandom(options.seed);
    logic = std::make_unique<Mirabel::GameLogic>(fixture.engine.get(), cursor.get(), profileManager.get(),
                                                 soundController.get(), gameData.get(), levelData.get(),
                                                 &stageRecord, &levelRecord, 0);
}

LevelScripts LevelHarness::Scripts(float limitSeconds)
{
    return LevelScripts(*logic, *fixture.engine, [this](std::uint32_t ms) { Frame(ms); }, limitSeconds);
}

void LevelHarness::DeleteLogic()
{
    logic.reset();
}

void LevelHarness::Frame(std::uint32_t milliseconds)
{
    clock += milliseconds;
    win32::testing::SetFakeMilliseconds(clock);
    OrvaneEngine::Engine& engine = *fixture.engine;
    engine.Update();
    soundController->Update();
    if (logic)
        logic->Update();
    engine.Frame(0);
}

void LevelHarness::MoveTo(const OrvaneEngine::Vector2& point)
{
    mouse->MoveTo(point);
}

void LevelHarness::Button(std::uint32_t button, bool down)
{
    mouse->Button(button, down);
}

win32::HWND LevelHarness::Handle() const
{
    return fixture.engine->window->handle;
}

} // namespace corvellan::test
