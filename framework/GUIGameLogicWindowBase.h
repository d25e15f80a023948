#pragma once

#include <cstdint>
#include <string>

namespace OrvaneEngine
{
class Config;
class Engine;
class Window;
} // namespace OrvaneEngine

namespace GameFramework
{

class GameLogicBase;
class ProfileBase;
class ProfileManagerBase;

// The framework half of the in-level panel: the level and the player it
// shows, the window style, and whether it takes input.
class GUIGameLogicWindowBase
{
public:
    GUIGameLogicWindowBase(OrvaneEngine::Engine* engine, ProfileManagerBase* profileManager);
    virtual ~GUIGameLogicWindowBase();
    GUIGameLogicWindowBase(const GUIGameLogicWindowBase&) = delete;
    GUIGameLogicWindowBase& operator=(const GUIGameLogicWindowBase&) = delete;

    // A code is reported for one frame only; while a window-style change is
    // pending the fullscreen flag follows it.
    virtual void Update();
    // Takes the level and the current profile.
    virtual void Show(GameLogicBase* gameLogic);
    // Forgets the level and the profile.
    virtual void Hide();
    // The panel takes no input while another screen lies over it.
    virtual void SetActive(bool on);

    // The level's score and the score of the game so far.
    std::uint32_t GetTotalScore() const;
    void MinimizeWindow();

    bool IsActive() const { return active; }
    bool IsFullscreen() const { return fullscreen; }
    GameLogicBase* GetGameLogic() const { return gameLogic; }
    ProfileBase* GetProfile() const { return profile; }

    // 0: nothing to report.
    std::uint32_t result = 0;

protected:
    OrvaneEngine::Engine* engine;
    OrvaneEngine::Config* config;
    // The storage of "v_mode" and "v_fullscreen".
    std::string* videoMode;
    bool* videoFullscreen;
    OrvaneEngine::Window* window;
    ProfileManagerBase* profileManager;
    ProfileBase* profile = nullptr;
    GameLogicBase* gameLogic = nullptr;
    bool fullscreen = false;
    bool active = true;
};

} // namespace GameFramework
