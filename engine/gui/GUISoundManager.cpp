#include "engine/gui/GUISoundManager.h"

// Placeholder bodies; the GUI sound events replace them.
namespace OrvaneEngine
{

GUISoundManager::GUISoundManager(TimerManager* timers_, SoundManager* soundManager_)
    : timers(timers_), soundManager(soundManager_)
{
}
GUISoundManager::~GUISoundManager() = default;
void GUISoundManager::AddSound(std::uint32_t, const std::string&) {}
void GUISoundManager::Play(std::uint32_t) {}

} // namespace OrvaneEngine
