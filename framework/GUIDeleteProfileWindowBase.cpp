#include "framework/GUIDeleteProfileWindowBase.h"

namespace GameFramework
{

GUIDeleteProfileWindowBase::~GUIDeleteProfileWindowBase() = default;

void GUIDeleteProfileWindowBase::Update()
{
    result = 0;
}

void GUIDeleteProfileWindowBase::Show(const std::u16string& /*profileName*/)
{
}

void GUIDeleteProfileWindowBase::Hide()
{
}

} // namespace GameFramework
