#include "framework/GUIWelcomeWindowBase.h"

#include "framework/ProfileManagerBase.h"

namespace GameFramework
{

GUIWelcomeWindowBase::GUIWelcomeWindowBase(ProfileManagerBase* profileManagerIn) : profileManager(profileManagerIn)
{
}

GUIWelcomeWindowBase::~GUIWelcomeWindowBase() = default;

void GUIWelcomeWindowBase::Update()
{
    result = 0;
}

void GUIWelcomeWindowBase::Show()
{
}

void GUIWelcomeWindowBase::Hide()
{
}

void GUIWelcomeWindowBase::CreateProfile(const std::u16string& name)
{
    profileManager->CreateProfile(name);
    profileManager->SetCurrentProfile(profileManager->FindProfile(name), true);
}

} // namespace GameFramework
