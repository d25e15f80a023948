#include "framework/GUINewProfileWindowBase.h"

#include "framework/ProfileManagerBase.h"

namespace GameFramework
{

GUINewProfileWindowBase::GUINewProfileWindowBase(ProfileManagerBase* profileManagerIn) : profileManager(profileManagerIn)
{
}

GUINewProfileWindowBase::~GUINewProfileWindowBase() = default;

void GUINewProfileWindowBase::Update()
{
    result = 0;
}

void GUINewProfileWindowBase::Show(std::uint32_t /*unused*/)
{
}

void GUINewProfileWindowBase::Hide()
{
}

bool GUINewProfileWindowBase::CreateProfile(const std::u16string& name)
{
    if (profileManager->FindProfile(name) != nullptr)
        return false;
    profileManager->CreateProfile(name);
    profileManager->SetCurrentProfile(profileManager->FindProfile(name), true);
    return true;
}

} // namespace GameFramework
