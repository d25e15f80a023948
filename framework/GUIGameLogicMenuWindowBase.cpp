#include "framework/GUIGameLogicMenuWindowBase.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "framework/ScreenSettings.h"
#include "framework/SoundController.h"

namespace GameFramework
{

GUIGameLogicMenuWindowBase::GUIGameLogicMenuWindowBase(OrvaneEngine::Engine* engineIn,
                                                       SoundController* soundControllerIn,
                                                       ProfileManagerBase* profileManagerIn)
    : engine(engineIn), config(engineIn->config.get()), videoMode(&config->videoMode),
      videoFullscreen(&config->fullscreen), soundController(soundControllerIn), profileManager(profileManagerIn)
{
    soundVolume = soundController->GetSoundVolume();
    musicVolume = soundController->GetMusicVolume();
}

GUIGameLogicMenuWindowBase::~GUIGameLogicMenuWindowBase() = default;

void GUIGameLogicMenuWindowBase::Update()
{
    result = 0;
    ScreenSettings::FollowPendingFullscreen(*config, fullscreenBox);
}

void GUIGameLogicMenuWindowBase::Show()
{
    fullscreenBox = *videoFullscreen;
    soundVolume = soundController->GetSoundVolume();
    musicVolume = soundController->GetMusicVolume();
}

void GUIGameLogicMenuWindowBase::Hide()
{
    config->Save();
    ScreenSettings::StoreVolumes(*profileManager, *soundController);
}

void GUIGameLogicMenuWindowBase::ApplyFullscreen()
{
    if (*videoFullscreen == fullscreenBox)
        return;
    *videoFullscreen = fullscreenBox;
    config->Save();
    config->SetCommandFlag(ScreenSettings::CommandWindowChangeMode, false);
}

} // namespace GameFramework
