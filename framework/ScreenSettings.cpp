#include "framework/ScreenSettings.h"

#include "engine/core/Config.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundController.h"

namespace GameFramework
{

void ScreenSettings::FollowPendingFullscreen(const OrvaneEngine::Config& config, bool& flag)
{
    if (!config.GetCommandFlag(CommandWindowChangeMode))
        flag = config.fullscreen;
}

void ScreenSettings::StoreVolumes(ProfileManagerBase& profileManager, const SoundController& soundController)
{
    ProfileBase* profile = profileManager.currentProfile;
    // These screens open only while a profile is current; a list without one
    // has nowhere to keep the volumes.
    if (profile == nullptr || !profile->settings)
        return;
    profile->settings->musicVolume = soundController.GetMusicVolume();
    profile->settings->soundVolume = soundController.GetSoundVolume();
    profile->Save();
}

} // namespace GameFramework
