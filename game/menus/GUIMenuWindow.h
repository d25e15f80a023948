#pragma once

#include "engine/core/Color.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Config;
class Controls;
class Engine;
class GUIFontManager;
class GUIManager;
class GUITextManager;
class GUIWindow;
class TimerManager;
} // namespace OrvaneEngine

namespace GameFramework
{
class SoundController;
}

namespace Mirabel
{

class GameData;
class GUIControl;
class GUIMenuWindowManager;

// The animated frame of a menu screen, its list of controls, and the
// protocol that opens and closes the screen. Only the holder of the menu
// window manager's token opens or closes, so one frame moves at a time.
class GUIMenuWindow
{
public:
    static constexpr std::uint32_t SoundAppear = 2;
    static constexpr std::uint32_t SoundDisappear = 3;

    // Kind 0 the main menu, 1 the big, 2 the small and 3 the large window.
    GUIMenuWindow(OrvaneEngine::Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
                  GUIMenuWindowManager* menuWindowManager, std::uint32_t kind, OrvaneEngine::GUIWindow* parent);
    virtual ~GUIMenuWindow();
    GUIMenuWindow(const GUIMenuWindow&) = delete;
    GUIMenuWindow& operator=(const GUIMenuWindow&) = delete;

    // 1 asks to open; 0 closes an open window and leaves a pending request.
    void SetOpen(std::uint8_t open);
    void SetTitle(const std::string& key);
    void SetTitleText(const std::u16string& text);
    std::uint8_t IsAnyControlAppearing() const;
    bool IsOpen() const { return open != 0; }
    virtual void Update();

    std::uint32_t GetKind() const { return kind; }
    const std::u16string& GetTitle() const { return title; }

protected:
    OrvaneEngine::Engine* engine;
    OrvaneEngine::TimerManager* timerManager;
    OrvaneEngine::Config* config;
    OrvaneEngine::Controls* controls;
    OrvaneEngine::GUIManager* guiManager;
    OrvaneEngine::GUIFontManager* fontManager;
    OrvaneEngine::GUITextManager* textManager;
    GameFramework::SoundController* soundController;
    GameData* gameData;
    GUIMenuWindowManager* menuWindowManager;
    std::uint32_t kind;
    std::unique_ptr<GUIControl> frameControl;

public:
    OrvaneEngine::GUIWindow* frameWindow = nullptr;
    std::uint8_t openRequest = 0;
    // Set by the screens shown during a level before they ask to open.
    std::uint8_t needsTextAreaPanel = 0;

private:
    std::uint8_t open = 0;

public:
    // Its alpha is the fade of the screen's controls.
    OrvaneEngine::Color color{1.0f, 1.0f, 1.0f, 0.0f};
    std::u16string title;
    // The frame control first; the screen appends and owns the rest.
    std::vector<GUIControl*> controlList;
    std::uint8_t panelPhase = 0;
    // Set by screens that want the panel lowered once they have closed.
    std::uint8_t lowerPanelAfterClose = 0;

private:
    bool RunPanelPhase();
    // A close that came before the controls could fade in has started its
    // disappear animations.
    std::uint8_t closeStarted = 0;
};

} // namespace Mirabel
