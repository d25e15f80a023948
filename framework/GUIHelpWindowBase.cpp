#include "framework/GUIHelpWindowBase.h"

namespace GameFramework
{

GUIHelpWindowBase::~GUIHelpWindowBase() = default;

void GUIHelpWindowBase::Update()
{
    result = 0;
}

void GUIHelpWindowBase::Show()
{
}

void GUIHelpWindowBase::Hide()
{
}

} // namespace GameFramework
