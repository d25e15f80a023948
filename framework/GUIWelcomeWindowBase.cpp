#include "framework/GUIWelcomeWindowBase.h"

namespace GameFramework
{

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

} // namespace GameFramework
