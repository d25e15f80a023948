#include "framework/GUIGameLogicWindowBase.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "framework/GameLogicBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/ScreenSettings.h"

namespace GameFramework
{

GUIGameLogicWindowBase::GUIGameLogicWindowBase(OrvaneEngine::Engine* engineIn, ProfileManagerBase* profileManagerIn)
    : engine(engineIn), config(engineIn->config.get()), videoMode(&config->videoMode),
      videoFullscreen(&config->fullscreen), window(engineIn->window.get()), profileManager(profileManagerIn)
{
}

GUIGameLogicWindowBase::~GUIGameLogicWindowBase() = default;

void GUIGameLogicWindowBase::Update()
{
    result = 0;
    ScreenSettings::FollowPendingFullscreen(*config, fullscreen);
}

void GUIGameLogicWindowBase::Show(GameLogicBase* gameLogicIn)
{
    gameLogic = gameLogicIn;
    profile = profileManager != nullptr ? profileManager->currentProfile : nullptr;
    fullscreen = *videoFullscreen;
}

void GUIGameLogicWindowBase::Hide()
{
    profile = nullptr;
    gameLogic = nullptr;
}

void GUIGameLogicWindowBase::SetActive(bool on)
{
    active = on;
}

std::uint32_t GUIGameLogicWindowBase::GetTotalScore() const
{
    const std::uint32_t levelScore = gameLogic != nullptr ? gameLogic->GetScore() : 0;
    const std::uint32_t gameScore = profile != nullptr ? profile->score : 0;
    return levelScore + gameScore;
}

void GUIGameLogicWindowBase::MinimizeWindow()
{
    window->Minimize();
}

} // namespace GameFramework
