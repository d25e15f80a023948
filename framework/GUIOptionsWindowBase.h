#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Config;
class Engine;
} // namespace OrvaneEngine

namespace GameFramework
{

class ProfileManagerBase;
class SoundController;

// The framework half of the options screen: the display modes it offers,
// the chosen mode and window style, and the volumes, which the sliders
// change live and Apply only stores.
class GUIOptionsWindowBase
{
public:
    // One offered size; it stands for that size in every colour depth.
    struct VideoModeEntry
    {
        std::string text;
        std::uint32_t width = 0;
        std::uint32_t height = 0;
    };

    GUIOptionsWindowBase(OrvaneEngine::Engine* engine, SoundController* soundController,
                         ProfileManagerBase* profileManager);
    virtual ~GUIOptionsWindowBase();
    GUIOptionsWindowBase(const GUIOptionsWindowBase&) = delete;
    GUIOptionsWindowBase& operator=(const GUIOptionsWindowBase&) = delete;

    // A code is reported for one frame only; while a window-style change is
    // pending the box follows it.
    virtual void Update();
    virtual void Show();
    virtual void Hide();
    // Stores the chosen mode, the window style and the volumes, and asks for
    // a mode change when the mode or the style changed.
    virtual void Apply();
    virtual void SetDefaults();
    // The volumes go back to what they were at Show.
    virtual void Cancel();

    // Adds the size unless it is listed; the list stays sorted by width, then height.
    void BuildModeList(std::uint32_t width, std::uint32_t height);
    bool FindModeIndex(std::uint32_t width, std::uint32_t height, std::uint32_t* index) const;
    // The entry of the default "v_mode", or 0 when it is not listed.
    std::uint32_t GetDefaultModeIndex() const;

    const std::vector<std::unique_ptr<VideoModeEntry>>& GetModes() const { return modes; }
    float GetShownSoundVolume() const { return shownSoundVolume; }
    float GetShownMusicVolume() const { return shownMusicVolume; }

    // 0: nothing to report.
    std::uint32_t result = 0;
    // The player's choices, written by the game's screen.
    std::uint32_t modeIndex = 0;
    bool fullscreenBox = false;
    std::uint32_t colorDepth = 0;

protected:
    OrvaneEngine::Engine* engine;
    OrvaneEngine::Config* config;
    // The storage of "v_mode" and "v_fullscreen".
    std::string* videoMode;
    bool* videoFullscreen;
    SoundController* soundController;
    ProfileManagerBase* profileManager;
    std::vector<std::unique_ptr<VideoModeEntry>> modes;
    float shownSoundVolume = 0.0f;
    float shownMusicVolume = 0.0f;
};

} // namespace GameFramework
