#include "framework/GUILogosWindowBase.h"

namespace GameFramework
{

GUILogosWindowBase::~GUILogosWindowBase() = default;

void GUILogosWindowBase::Update()
{
    result = 0;
}

void GUILogosWindowBase::Show()
{
}

void GUILogosWindowBase::Hide()
{
}

} // namespace GameFramework
