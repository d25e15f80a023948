#include "framework/GUIMainMenuWindowBase.h"

namespace GameFramework
{

GUIMainMenuWindowBase::~GUIMainMenuWindowBase() = default;

void GUIMainMenuWindowBase::Update()
{
    result = 0;
}

void GUIMainMenuWindowBase::Show()
{
}

void GUIMainMenuWindowBase::Hide()
{
}

} // namespace GameFramework
