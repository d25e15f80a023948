#include "tests/support/GameRun.h"

#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderManager.h"
#include "engine/gui/GUIWindow.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "platform/win32/Messages.h"
#include "platform/win32/testing/EventPush.h"
#include "platform/win32/testing/MessageBoxHooks.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "platform/win32/testing/PumpHooks.h"
#include "tests/support/LevelScripts.h"

#include <exception>
#include <memory>
#include <stdexcept>
#include <utility>

namespace corvellan::test
{

namespace wt = win32::testing;

GameRun::GameRun(std::chrono::seconds limit_) : limit(limit_)
{
}

GameRun::~GameRun()
{
    wt::ResetPumpHook();
    wt::ResetMultimediaTimer();
}

void GameRun::CreateGame()
{
    auto made = std::make_unique<ExposedGame>();
    exposed = made.get();
    exposed->afterWindowUpdates = [this] { ReadShownTexts(); };
    mouse = std::make_unique<LevelMouse>(*exposed->GetEngine());
    game = std::move(made);
}

void GameRun::DestroyGame()
{
    mouse.reset();
    exposed = nullptr;
    GameLoaderBase::DestroyGame();
}

void GameRun::ReadShownTexts()
{
    shownTexts.clear();
    const OrvaneEngine::GUIManager& gui = *Engine().guiManager;
    const OrvaneEngine::GUITextManager& texts = *gui.GetTextManager();
    const auto read = [&](const OrvaneEngine::GUIWindow* window) {
        if (window == nullptr || !window->visible)
            return;
        for (std::uint32_t i = 0; i < window->GetTextEntryCount(); ++i)
        {
            const OrvaneEngine::GUITextEntry& entry = window->GetTextEntry(i);
            const std::u16string& text = entry.fromKey ? texts.GetText(entry.key, entry.keyNumber) : entry.text;
            shownTexts.push_back({text, entry.fontId});
            showedUnknown = showedUnknown || shownTexts.back().text == u"UNKNOWN";
        }
    };
    for (const OrvaneEngine::GUIWindow* window : gui.GetWindows().GetObjects())
        read(window);
    for (const OrvaneEngine::GUIButton* button : gui.GetButtons().GetObjects())
        read(button);
}

bool GameRun::Shows(const std::u16string& text, std::int64_t fontId) const
{
    for (const ShownText& shown : shownTexts)
        if (shown.text == text && (fontId < 0 || shown.fontId == fontId))
            return true;
    return false;
}

GameRun& GameRun::Then(std::string name, std::function<bool()> ready, std::function<void()> act)
{
    steps.push_back({std::move(name), std::move(ready), std::move(act)});
    return *this;
}

GameRun& GameRun::Repeat(std::string name, std::function<bool()> done, std::function<void()> again,
                         std::uint32_t frames)
{
    auto count = std::make_shared<std::uint32_t>(0);
    return Then(std::move(name), [done = std::move(done), again = std::move(again), frames, count] {
        if (done())
            return true;
        if ((*count)++ % frames == 0)
            again();
        return false;
    });
}

void GameRun::Play()
{
    start = std::chrono::steady_clock::now();
    wt::SetFakeMilliseconds(clock);
    lastPresents = d3d7::testing::GetPresentCount();
    wt::SetPumpHook([this] { OnPumpIdle(); });
    Run();
    wt::ResetPumpHook();
}

ExposedGame& GameRun::Game() const
{
    if (exposed == nullptr)
        throw std::logic_error("game run: no game");
    return *exposed;
}

OrvaneEngine::Engine& GameRun::Engine() const
{
    return *Game().GetEngine();
}

bool GameRun::TimeSpent()
{
    if (!timedOut && std::chrono::steady_clock::now() - start > limit)
        timedOut = true;
    return timedOut;
}

void GameRun::Stop(const std::string& reason)
{
    if (failure.empty())
    {
        failure = reason;
        if (exposed != nullptr)
            trace += "stopped (" + reason + ") with open: " + exposed->OpenScreens() + "\n";
    }
    if (!quitPushed)
        quitPushed = wt::PushQuit();
}

void GameRun::OnPumpIdle()
{
    // One frame was presented since the last call: the clock moves one step.
    // The loading screens' own polling presents nothing and moves nothing.
    const std::uint32_t presents = d3d7::testing::GetPresentCount();
    if (presents != lastPresents)
    {
        lastPresents = presents;
        clock += FrameMilliseconds;
        wt::SetFakeMilliseconds(clock);
        ++frames;
        if (exposed != nullptr)
            for (const std::string& key : std::exchange(keysDown, {}))
                wt::PushKey(Engine().window->handle, key, false);
    }
    if (TimeSpent())
    {
        Stop("time limit");
        return;
    }
    if (exposed == nullptr || !failure.empty() || next >= steps.size())
        return;
    try
    {
        if (!steps[next].ready())
            return;
        const Step& step = steps[next++];
        trace += step.name + " @" + std::to_string(frames) + " frames, " + std::to_string(Seconds()) + " s\n";
        if (step.act)
            step.act();
    }
    catch (const std::exception& error)
    {
        Stop(error.what());
    }
}

void GameRun::Frame(std::uint32_t milliseconds)
{
    if (TimeSpent())
        throw std::runtime_error("time limit");
    clock += milliseconds;
    wt::SetFakeMilliseconds(clock);
    win32::MSG message{};
    while (win32::PeekMessageA(&message, 0, 0, 0, win32::PM_REMOVE))
    {
        win32::TranslateMessage(&message);
        win32::DispatchMessageA(&message);
    }
    Game().FrameStep();
    lastPresents = d3d7::testing::GetPresentCount();
    ++frames;
}

void GameRun::Key(const std::string& scancodeName)
{
    if (!wt::PushKey(Engine().window->handle, scancodeName, true))
        throw std::runtime_error("game run: key " + scancodeName + " not queued");
    keysDown.push_back(scancodeName);
}

void GameRun::Type(const std::string& utf8)
{
    if (!wt::PushText(Engine().window->handle, utf8))
        throw std::runtime_error("game run: text not queued");
}

OrvaneEngine::Vector2 GameRun::HitCentre(const OrvaneEngine::GUIWindow& widget)
{
    OrvaneEngine::Vector2 corner = widget.GetAbsolutePosition();
    OrvaneEngine::Vector2 extent = widget.size;
    if (widget.customHitRect)
    {
        corner += widget.hitRectOrigin;
        extent = widget.hitRectSize;
    }
    return OrvaneEngine::Vector2(corner.x + extent.x * 0.5f, corner.y + extent.y * 0.5f);
}

void GameRun::Click(const OrvaneEngine::GUIWindow& widget)
{
    Click(HitCentre(widget));
}

void GameRun::Click(const OrvaneEngine::Vector2& point)
{
    Mouse().MoveTo(point);
    Mouse().Button(0, true);
    Mouse().Button(0, false);
}

LevelMouse& GameRun::Mouse()
{
    if (!mouse)
        throw std::logic_error("game run: no game");
    return *mouse;
}

BackBuffer GameRun::Grab() const
{
    OrvaneEngine::Engine& engine = Engine();
    engine.cameraManager->Update();
    engine.lightManager->Update();
    engine.shaderManager->Update();
    engine.modelManager->Render();
    BackBuffer buffer;
    buffer.Read(static_cast<OrvaneEngine::RenderSystem_D3D7&>(*engine.renderSystem));
    return buffer;
}

std::string GameRun::Pending() const
{
    std::string text = next < steps.size() ? steps[next].name : "";
    if (!failure.empty())
        text += (text.empty() ? "" : ": ") + failure;
    // A fatal error ends the game through the loader, which tells the player.
    for (const wt::MessageBoxCall& box : wt::GetMessageBoxCalls())
        text += (text.empty() ? "" : ": ") + box.caption + ": " + box.text;
    return text;
}

double GameRun::Seconds() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace corvellan::test
