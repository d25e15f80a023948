#include "framework/GUIOptionsWindowBase.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/StringFunctions.h"
#include "framework/ProfileManagerBase.h"
#include "framework/ScreenSettings.h"
#include "framework/SoundController.h"

#include <algorithm>

namespace GameFramework
{

using namespace OrvaneEngine;

GUIOptionsWindowBase::GUIOptionsWindowBase(Engine* engineIn, SoundController* soundControllerIn,
                                           ProfileManagerBase* profileManagerIn)
    : engine(engineIn), config(engineIn->config.get()), videoMode(&config->videoMode),
      videoFullscreen(&config->fullscreen), soundController(soundControllerIn), profileManager(profileManagerIn)
{
}

GUIOptionsWindowBase::~GUIOptionsWindowBase() = default;

void GUIOptionsWindowBase::Update()
{
    result = 0;
    ScreenSettings::FollowPendingFullscreen(*config, fullscreenBox);
}

void GUIOptionsWindowBase::Show()
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    ParseVideoMode(*videoMode, &width, &height, &colorDepth);
    if (!FindModeIndex(width, height, &modeIndex))
        modeIndex = GetDefaultModeIndex();
    fullscreenBox = *videoFullscreen;
    shownSoundVolume = soundController->GetSoundVolume();
    shownMusicVolume = soundController->GetMusicVolume();
}

void GUIOptionsWindowBase::Hide()
{
}

void GUIOptionsWindowBase::BuildModeList(std::uint32_t width, std::uint32_t height)
{
    if (FindModeIndex(width, height, nullptr))
        return;
    auto entry = std::make_unique<VideoModeEntry>();
    entry->text = UIntToString(width, 0) + "x" + UIntToString(height, 0);
    entry->width = width;
    entry->height = height;
    modes.push_back(std::move(entry));
    std::stable_sort(modes.begin(), modes.end(), [](const auto& first, const auto& second) {
        return first->width != second->width ? first->width < second->width : first->height < second->height;
    });
}

bool GUIOptionsWindowBase::FindModeIndex(std::uint32_t width, std::uint32_t height, std::uint32_t* index) const
{
    for (std::uint32_t i = 0; i < modes.size(); ++i)
    {
        if (modes[i]->width == width && modes[i]->height == height)
        {
            if (index != nullptr)
                *index = i;
            return true;
        }
    }
    return false;
}

std::uint32_t GUIOptionsWindowBase::GetDefaultModeIndex() const
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    ParseVideoMode(config->GetDefaultText("v_mode"), &width, &height, nullptr);
    std::uint32_t index = 0;
    return FindModeIndex(width, height, &index) ? index : 0;
}

void GUIOptionsWindowBase::SetDefaults()
{
    modeIndex = GetDefaultModeIndex();
    ParseVideoMode(config->GetDefaultText("v_mode"), nullptr, nullptr, &colorDepth);
    fullscreenBox = true;
    soundController->SetSoundVolume(soundController->GetDefaultSoundVolume());
    soundController->SetMusicVolume(soundController->GetDefaultMusicVolume());
}

void GUIOptionsWindowBase::Cancel()
{
    soundController->SetSoundVolume(shownSoundVolume);
    soundController->SetMusicVolume(shownMusicVolume);
}

void GUIOptionsWindowBase::Apply()
{
    bool changed = false;
    // An index the game's screen left outside the list names no mode.
    if (modeIndex < modes.size())
    {
        const std::string text = modes[modeIndex]->text + "x" + UIntToString(colorDepth, 0);
        if (ToLower(*videoMode) != text)
        {
            *videoMode = text;
            changed = true;
        }
    }
    if (*videoFullscreen != fullscreenBox)
    {
        *videoFullscreen = fullscreenBox;
        changed = true;
    }
    if (changed)
        config->SetCommandFlag(ScreenSettings::CommandUpdateVideoMode, false);
    config->Save();
    ScreenSettings::StoreVolumes(*profileManager, *soundController);
}

} // namespace GameFramework
