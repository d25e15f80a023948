#include "framework/GUIDeleteProfileWindowBase.h"

#include "framework/ProfileManagerBase.h"

namespace GameFramework
{

GUIDeleteProfileWindowBase::GUIDeleteProfileWindowBase(ProfileManagerBase* profileManagerIn) : profileManager(profileManagerIn)
{
}

GUIDeleteProfileWindowBase::~GUIDeleteProfileWindowBase() = default;

void GUIDeleteProfileWindowBase::Update()
{
    result = 0;
}

void GUIDeleteProfileWindowBase::Show(const std::u16string& profileName)
{
    name = profileName;
}

void GUIDeleteProfileWindowBase::Hide()
{
}

void GUIDeleteProfileWindowBase::DeleteProfile()
{
    profileManager->DeleteProfile(name);
}

} // namespace GameFramework
