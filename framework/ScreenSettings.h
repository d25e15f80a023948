#pragma once

namespace OrvaneEngine
{
class Config;
}

namespace GameFramework
{

class ProfileManagerBase;
class SoundController;

// What the options screen, the in-game menu and the in-level panel share
// about the display settings and the player's volumes.
class ScreenSettings
{
public:
    static constexpr const char* CommandUpdateVideoMode = "g_update_video_mode";
    static constexpr const char* CommandWindowChangeMode = "v_window_change_mode";

    // While a window-style change is pending (Alt+Enter, the maximise box),
    // a shown box or flag follows "v_fullscreen".
    static void FollowPendingFullscreen(const OrvaneEngine::Config& config, bool& flag);
    // The controller's volumes go into the current profile, which is saved.
    static void StoreVolumes(ProfileManagerBase& profileManager, const SoundController& soundController);
};

} // namespace GameFramework
