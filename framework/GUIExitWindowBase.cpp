#include "framework/GUIExitWindowBase.h"

namespace GameFramework
{

GUIExitWindowBase::GUIExitWindowBase(OrvaneEngine::Engine* engineIn)
    : engine(engineIn)
{
}

GUIExitWindowBase::~GUIExitWindowBase() = default;

void GUIExitWindowBase::Update()
{
    result = 0;
}

void GUIExitWindowBase::Show(std::uint32_t callerCodeIn)
{
    callerCode = callerCodeIn;
}

void GUIExitWindowBase::Hide()
{
}

} // namespace GameFramework
