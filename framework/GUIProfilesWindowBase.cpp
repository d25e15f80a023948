#include "framework/GUIProfilesWindowBase.h"

namespace GameFramework
{

GUIProfilesWindowBase::GUIProfilesWindowBase(ProfileManagerBase* profileManagerIn)
    : profileManager(profileManagerIn)
{
}

GUIProfilesWindowBase::~GUIProfilesWindowBase() = default;

void GUIProfilesWindowBase::Update()
{
    result = 0;
}

void GUIProfilesWindowBase::Show()
{
}

void GUIProfilesWindowBase::Hide()
{
}

} // namespace GameFramework
