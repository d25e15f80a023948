#include "framework/GUIRenameProfileWindowBase.h"

#include "framework/ProfileManagerBase.h"
#include "engine/core/StringFunctions.h"

namespace GameFramework
{

GUIRenameProfileWindowBase::GUIRenameProfileWindowBase(ProfileManagerBase* profileManagerIn) : profileManager(profileManagerIn)
{
}

GUIRenameProfileWindowBase::~GUIRenameProfileWindowBase() = default;

void GUIRenameProfileWindowBase::Update()
{
    result = 0;
}

void GUIRenameProfileWindowBase::Show(bool keepName, const std::u16string& name)
{
    if (keepName)
        oldName = name;
}

void GUIRenameProfileWindowBase::Hide()
{
}

bool GUIRenameProfileWindowBase::RenameProfile(const std::u16string& newName)
{
    if (OrvaneEngine::ToLowerW(newName) == OrvaneEngine::ToLowerW(oldName))
        return true;
    if (profileManager->FindProfile(newName) != nullptr)
        return false;
    profileManager->RenameProfile(oldName, newName);
    return true;
}

} // namespace GameFramework
