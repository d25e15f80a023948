#include "tests/support/MenuHarness.h"

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderManager.h"
#include "framework/SoundController.h"
#include "game/GameData.h"
#include "game/LevelManager.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"

namespace corvellan::test
{

using namespace OrvaneEngine;

MenuHarness::MenuHarness() : fixture(EngineFixture::Options{true}), data(fixture.folder.Path()) {}

MenuHarness::~MenuHarness() { Stop(); }

void MenuHarness::Stop()
{
    // A button left down would swallow the next engine's first press.
    if (mouse && mouse->IsDown())
        mouse->Button(false);
    mouse.reset();
    updates.clear();
    manager.reset();
    background.reset();
    gameData.reset();
    profiles.reset();
    levels.reset();
    sounds.reset();
    fixture.Stop();
    engine = nullptr;
    win32::testing::ResetMultimediaTimer();
}

void MenuHarness::Start(bool withBackground)
{
    win32::testing::SetFakeMilliseconds(clock);
    engine = &fixture.Start();
    engine->guiManager->SetScreenSize(800.0f, 600.0f);
    mouse.emplace(engine->window->handle, 600);
    for (std::uint32_t id = 0; id <= MenuData::MostFontId; ++id)
        if (GUIFont* font = engine->guiManager->GetFontManager()->CreateFont(id, nullptr, MenuData::FontFile))
            font->glyphHeight = MenuData::GlyphHeight;
    engine->guiManager->GetTextManager()->LoadTexts(MenuData::TextsFile);
    sounds = std::make_unique<GameFramework::SoundController>(engine, 1.0f, 1.0f);
    for (const auto& [number, file] : MenuData::Sounds())
        sounds->AddSound(number, file, false, 1);
    levels = std::make_unique<Mirabel::LevelManager>(engine);
    profiles = std::make_unique<Mirabel::ProfileManager>(engine, sounds.get(), fixture.folder.Join("profiles"));
    if (!withBackground)
        return;
    background = std::make_unique<Mirabel::GUIBackgroundWindow>(engine, sounds.get(), levels.get(), profiles.get(),
                                                                MenuData::Language);
    manager = std::make_unique<Mirabel::GUIMenuWindowManager>(background.get());
}

Mirabel::GameData& MenuHarness::LoadGameData()
{
    if (!gameData)
    {
        gameData = std::make_unique<Mirabel::GameData>(engine, MenuData::Language);
        gameData->Load();
    }
    return *gameData;
}

bool MenuHarness::RunStartUp(std::uint32_t milliseconds)
{
    background->active = 1;
    if (!StepUntil([this] { return background->IsWaitingForGameData(); }, milliseconds, 400))
        return false;
    background->SetGameData(&LoadGameData());
    return StepUntil([this] { return manager->tokenFree != 0; }, milliseconds, 100);
}

bool MenuHarness::StartMenus(std::uint32_t milliseconds)
{
    Start();
    return RunStartUp(milliseconds) &&
           StepUntil([this] { return background->GetState() == 6; }, milliseconds, 10);
}

Mirabel::Profile& MenuHarness::MakeCurrentProfile(const std::u16string& name)
{
    auto profile = std::make_unique<Mirabel::Profile>(engine, name, fixture.folder.Join("profiles"));
    Mirabel::Profile& made = *profile;
    profiles->profiles.push_back(std::move(profile));
    profiles->currentProfile = &made;
    return made;
}

void MenuHarness::Update(std::uint32_t milliseconds)
{
    clock += milliseconds;
    win32::testing::SetFakeMilliseconds(clock);
    engine->Update();
    if (background)
        background->Update();
    if (manager)
        manager->Update();
    for (const std::function<void()>& update : updates)
        update();
    sounds->Update();
}

void MenuHarness::Render() { engine->Frame(0); }

void MenuHarness::Step(std::uint32_t milliseconds)
{
    Update(milliseconds);
    Render();
}

bool MenuHarness::StepUntil(const std::function<bool()>& condition, std::uint32_t milliseconds,
                            std::uint32_t frames)
{
    for (std::uint32_t frame = 0; frame < frames; ++frame)
    {
        if (condition())
            return true;
        Step(milliseconds);
    }
    return condition();
}

std::vector<GUITextEntry> MenuHarness::TextEntries(const GUIWindow& window)
{
    std::vector<GUITextEntry> entries;
    for (std::uint32_t index = 0; index < window.GetTextEntryCount(); ++index)
        entries.push_back(window.GetTextEntry(index));
    return entries;
}

BackBuffer MenuHarness::Grab()
{
    engine->cameraManager->Update();
    engine->lightManager->Update();
    engine->shaderManager->Update();
    engine->modelManager->Render();
    BackBuffer buffer;
    buffer.Read(static_cast<RenderSystem_D3D7&>(*engine->renderSystem));
    return buffer;
}

void MenuHarness::MoveTo(std::int32_t x, std::int32_t y) { mouse->MoveTo(x, y); }

void MenuHarness::Press(bool down) { mouse->Button(down); }

void MenuHarness::Click(std::int32_t x, std::int32_t y)
{
    MoveTo(x, y);
    Press(true);
    Press(false);
}

void MenuHarness::Key(const std::string& scancodeName, bool down)
{
    win32::testing::PushKey(engine->window->handle, scancodeName, down);
}

void MenuHarness::Type(const std::string& utf8) { win32::testing::PushText(engine->window->handle, utf8); }

std::uint32_t MenuHarness::SoundState(std::uint32_t id) const { return sounds->GetSoundState(id); }

float MenuHarness::SoundLastStart(std::uint32_t id) const
{
    for (const auto& entry : sounds->GetSoundEntries())
        if (entry->id == id)
            return entry->lastStart;
    return -1.0f;
}

} // namespace corvellan::test
