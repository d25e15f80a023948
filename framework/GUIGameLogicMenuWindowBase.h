#pragma once

#include <cstdint>
#include <string>

namespace OrvaneEngine
{
class Config;
class Engine;
} // namespace OrvaneEngine

namespace GameFramework
{

class ProfileManagerBase;
class SoundController;

// The framework half of the in-game menu: its fullscreen box, applied at
// once, and the volumes, stored in the profile when the menu closes.
class GUIGameLogicMenuWindowBase
{
public:
    GUIGameLogicMenuWindowBase(OrvaneEngine::Engine* engine, SoundController* soundController,
                               ProfileManagerBase* profileManager);
    virtual ~GUIGameLogicMenuWindowBase();
    GUIGameLogicMenuWindowBase(const GUIGameLogicMenuWindowBase&) = delete;
    GUIGameLogicMenuWindowBase& operator=(const GUIGameLogicMenuWindowBase&) = delete;

    // A code is reported for one frame only; while a window-style change is
    // pending the box follows it.
    virtual void Update();
    virtual void Show();
    // Saves the configuration and keeps the volumes in the current profile.
    virtual void Hide();
    // Asks for the window style of the box when it differs from the current one.
    virtual void ApplyFullscreen();

    float GetSoundVolume() const { return soundVolume; }
    float GetMusicVolume() const { return musicVolume; }

    // 0: nothing to report.
    std::uint32_t result = 0;
    // Written by the game's screen.
    bool fullscreenBox = false;

protected:
    OrvaneEngine::Engine* engine;
    OrvaneEngine::Config* config;
    // The storage of "v_mode" and "v_fullscreen".
    std::string* videoMode;
    bool* videoFullscreen;
    SoundController* soundController;
    ProfileManagerBase* profileManager;
    float soundVolume = 0.0f;
    float musicVolume = 0.0f;
};

} // namespace GameFramework
