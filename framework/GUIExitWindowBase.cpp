#include "framework/GUIExitWindowBase.h"

namespace GameFramework
{

GUIExitWindowBase::~GUIExitWindowBase() = default;

void GUIExitWindowBase::Update()
{
    result = 0;
}

void GUIExitWindowBase::Show(std::uint32_t /*callerCode*/)
{
}

void GUIExitWindowBase::Hide()
{
}

} // namespace GameFramework
